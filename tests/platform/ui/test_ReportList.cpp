// Report lists measure their header titles themselves (in the font they are drawn in, not Qt's bold
// one): the header must come out exactly as high as Qt would make it, under any skin.
#include "TestRegistry.h"
#include "platform/ReportList.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeWidget>
#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

class ReportListTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { qApp->setStyleSheet(QString()); }

    void headerAsHighAsQtMakesIt_data() {
        QTest::addColumn<QString>("styleSheet");
        QTest::newRow("no style sheet") << QString();
        QTest::newRow("the skin's font and section box")
            << uR"(QWidget { font-family: "WenQuanYi Micro Hei", sans-serif; font-size: 9pt; }
                   QHeaderView::section { padding: 2px 4px; border: none; border-bottom: 1px solid #c9d2dd; })"_s;
        QTest::newRow("large font") << u"QWidget { font-size: 20pt; }"_s;
        QTest::newRow("tall section box")
            << u"QHeaderView::section { padding: 9px 2px; border: 3px solid red; }"_s;
    }
    void headerAsHighAsQtMakesIt() {
        QFETCH(QString, styleSheet);
        qApp->setStyleSheet(styleSheet);
        const QStringList titles{u"编号"_s, u"闹钟时间"_s, u"闹钟事件(双击修改)"_s, u"工作日期"_s};
        QWidget window;
        QTreeWidget* ours = makeReportList(&window, u"ours"_s, titles, {40, 160, 140, 70});
        auto* qts = new QTreeWidget(&window);
        qts->setHeaderLabels(titles);
        window.show();

        QCOMPARE(ours->header()->sizeHint().height(), qts->header()->sizeHint().height());
        QCOMPARE(ours->header()->height(), qts->header()->height());
        QVERIFY(!ours->isHeaderHidden());
        QCOMPARE(ours->columnCount(), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(ours->headerItem()->text(i), titles.at(i));
        QCOMPARE(ours->columnWidth(2), 140);
    }
};

ORVANE_TEST(ReportListTest)
#include "test_ReportList.moc"
