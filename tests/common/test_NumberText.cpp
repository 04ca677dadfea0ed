// Tests of numbers as text: the "%.13g" form, the leading-number reading, truncation to an integer.
#include "common/NumberText.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

class NumberTextTest : public QObject {
    Q_OBJECT

private slots:
    void intText_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << u"0"_s;
        QTest::newRow("negative") << qint64(-5) << u"-5"_s;
        QTest::newRow("beyond 32 bits") << qint64(4294967296) << u"4294967296"_s;
        QTest::newRow("lowest") << std::numeric_limits<qint64>::min() << u"-9223372036854775808"_s;
    }
    void intText() {
        QFETCH(qint64, value);
        QFETCH(QString, text);
        QCOMPARE(orvane::intText(value), text);
    }

    void numberText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero has no point") << 0.0 << u"0"_s;
        QTest::newRow("integer has no point") << 100.0 << u"100"_s;
        QTest::newRow("tenth") << 0.1 << u"0.1"_s;
        QTest::newRow("negative half") << -0.5 << u"-0.5"_s;
        QTest::newRow("third: 13 significant digits") << 1.0 / 3 << u"0.3333333333333"_s;
        QTest::newRow("two thirds rounds the last digit") << 2.0 / 3 << u"0.6666666666667"_s;
        QTest::newRow("13 digits stay plain") << 1234567890123.0 << u"1234567890123"_s;
        QTest::newRow("15 digits go to exponent form") << 123456789012345.0 << u"1.234567890123e+14"_s;
        QTest::newRow("large exponent") << 1e20 << u"1e+20"_s;
        QTest::newRow("small exponent has two digits") << 1e-5 << u"1e-05"_s;
    }
    void numberText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(orvane::numberText(value), text);
    }

    void readNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("digits then letters") << u"12abc"_s << 12.0;
        QTest::newRow("no number") << u"abc"_s << 0.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("negative fraction then letter") << u"-3.5x"_s << -3.5;
        QTest::newRow("exponent sign without digits") << u"1e"_s << 1.0;
        QTest::newRow("exponent minus without digits") << u"1e-"_s << 1.0;
        QTest::newRow("exponent with digits") << u"1e3"_s << 1000.0;
        QTest::newRow("signed exponent then text") << u"2.5E-1;"_s << 0.25;
        QTest::newRow("leading blanks") << u"  42"_s << 42.0;
        QTest::newRow("plus sign") << u"+7"_s << 7.0;
        QTest::newRow("sign alone") << u"-"_s << 0.0;
        QTest::newRow("fraction without integer part") << u".5"_s << 0.5;
        QTest::newRow("second point ends the number") << u"1.2.3"_s << 1.2;
        QTest::newRow("blank ends the number") << u"12 34"_s << 12.0;
        QTest::newRow("hour then semicolon") << u"9;"_s << 9.0;
        QTest::newRow("leading zero") << u"09"_s << 9.0;
        QTest::newRow("hex is not read") << u"0x10"_s << 0.0;
        QTest::newRow("words are not numbers") << u"inf"_s << 0.0;
        QTest::newRow("overflow is infinite") << u"1e400"_s << std::numeric_limits<double>::infinity();
    }
    void readNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(orvane::readNumber(text), value);
    }

    void truncToInt_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("expected");
        const qint64 hi = std::numeric_limits<qint64>::max(), lo = std::numeric_limits<qint64>::min();
        QTest::newRow("positive toward zero") << 2.9 << qint64(2);
        QTest::newRow("negative toward zero") << -2.9 << qint64(-2);
        QTest::newRow("just under a whole second") << 2.9999999 << qint64(2);
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << qint64(0);
        QTest::newRow("2^63 saturates") << 9223372036854775808.0 << hi;
        QTest::newRow("huge saturates") << 1e30 << hi;
        QTest::newRow("-2^63 is exact") << -9223372036854775808.0 << lo;
        QTest::newRow("huge negative saturates") << -1e30 << lo;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << hi;
    }
    void truncToInt() {
        QFETCH(double, value);
        QFETCH(qint64, expected);
        QCOMPARE(orvane::truncToInt(value), expected);
    }
};

ORVANE_TEST(NumberTextTest)
#include "test_NumberText.moc"
