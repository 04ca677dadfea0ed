// Tests of flags stored as text: only the exact "真" is true.
#include "common/FlagText.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace Qt::StringLiterals;

class FlagTextTest : public QObject {
    Q_OBJECT

private slots:
    void readFlag_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("written true") << orvane::flagText(true) << true;
        QTest::newRow("written false") << orvane::flagText(false) << false;
        QTest::newRow("trailing blank") << u"真 "_s << false;
        QTest::newRow("leading blank") << u" 真"_s << false;
        QTest::newRow("English true") << u"true"_s << false;
        QTest::newRow("one") << u"1"_s << false;
        QTest::newRow("empty") << QString() << false;
    }
    void readFlag() {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(orvane::readFlag(text), expected);
    }

    void writtenTexts() {
        QCOMPARE(orvane::flagText(true), u"真"_s);
        QCOMPARE(orvane::flagText(false), u"假"_s);
    }
};

ORVANE_TEST(FlagTextTest)
#include "test_FlagText.moc"
