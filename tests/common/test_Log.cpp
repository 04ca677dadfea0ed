// Which messages reach the user's terminal and journal: the program's own, the libraries' only on request.
#include "common/Log.h"

#include "TestRegistry.h"

#include <QtTest>

class LogTest : public QObject {
    Q_OBJECT
private slots:
    void shownToUser_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("category");
        QTest::addColumn<bool>("rulesSet");
        QTest::addColumn<bool>("shown");
        QTest::newRow("our warning") << int(QtWarningMsg) << QByteArray("orvane.store") << false << true;
        QTest::newRow("our note") << int(QtInfoMsg) << QByteArray("orvane.ui") << false << true;
        QTest::newRow("Qt's connect warning") << int(QtWarningMsg) << QByteArray("default") << false << false;
        QTest::newRow("the web engine's report")
            << int(QtInfoMsg) << QByteArray("qt.webenginecontext") << false << false;
        QTest::newRow("a page's console") << int(QtWarningMsg) << QByteArray("js") << false << false;
        QTest::newRow("a name that only begins like ours")
            << int(QtWarningMsg) << QByteArray("orvanex.ui") << false << false;
        QTest::newRow("Qt's critical") << int(QtCriticalMsg) << QByteArray("default") << false << true;
        QTest::newRow("logging rules set: everything")
            << int(QtInfoMsg) << QByteArray("qt.qpa.wayland") << true << true;
    }
    void shownToUser() {
        QFETCH(int, type);
        QFETCH(QByteArray, category);
        QFETCH(bool, rulesSet);
        QFETCH(bool, shown);
        QCOMPARE(orvane::shownToUser(QtMsgType(type), category.constData(), rulesSet), shown);
    }
};

ORVANE_TEST(LogTest)
#include "test_Log.moc"
