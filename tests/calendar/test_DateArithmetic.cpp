// Tests of the date calculator's arithmetic: shifts with their clamps, intervals with their rounding, and
// the six field texts it reads and writes.
#include "calendar/DateArithmetic.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;
using orvane::OleDateTime;

namespace {
OleDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return OleDateTime::fromParts({y, mo, d, h, mi, s});
}
} // namespace
Q_DECLARE_METATYPE(orvane::OleDateTime)

class DateArithmetic : public QObject {
    Q_OBJECT
private slots:
    void shift_data() {
        QTest::addColumn<OleDateTime>("start");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<int>("unit");
        QTest::addColumn<OleDateTime>("expected");
        using namespace orvane;
        QTest::newRow("31 Jan + 1 month is cut to 28 Feb, time kept")
            << at(2010, 1, 31, 12) << qint64(1) << int(kUnitMonths) << at(2010, 2, 28, 12);
        QTest::newRow("29 Feb + 1 year is 28 Feb")
            << at(2008, 2, 29) << qint64(1) << int(kUnitYears) << at(2009, 2, 28);
        QTest::newRow("month - 1 from January borrows a year")
            << at(2010, 1, 15) << qint64(-1) << int(kUnitMonths) << at(2009, 12, 15);
        QTest::newRow("month - 13 borrows two years")
            << at(2010, 1, 15) << qint64(-13) << int(kUnitMonths) << at(2008, 12, 15);
        QTest::newRow("month + 23 carries one year")
            << at(2010, 2, 15) << qint64(23) << int(kUnitMonths) << at(2012, 1, 15);
        QTest::newRow("zero leaves the date-time")
            << at(2010, 3, 5, 7, 8, 9) << qint64(0) << int(kUnitDays) << at(2010, 3, 5, 7, 8, 9);
        QTest::newRow("hours carry into the next year")
            << at(2010, 12, 31, 23) << qint64(2) << int(kUnitHours) << at(2011, 1, 1, 1);
        QTest::newRow("minutes back across midnight")
            << at(2010, 3, 5, 0, 10) << qint64(-20) << int(kUnitMinutes) << at(2010, 3, 4, 23, 50);
        QTest::newRow("seconds carry into the minute")
            << at(2010, 3, 5, 0, 0, 59) << qint64(1) << int(kUnitSeconds) << at(2010, 3, 5, 0, 1);
        QTest::newRow("a day forward before 1899-12-30 keeps the time of day")
            << at(1899, 12, 29, 6) << qint64(1) << int(kUnitDays) << at(1899, 12, 30, 6);
        QTest::newRow("years beyond 9999 stop at 9999")
            << at(9990, 6, 1) << qint64(100) << int(kUnitYears) << at(9999, 6, 1);
        QTest::newRow("a year onto 9999-12-31 with a time stops at the last moment")
            << at(9998, 12, 31, 12) << qint64(1) << int(kUnitYears) << at(9999, 12, 31);
        QTest::newRow("years before 100 stop at 100")
            << at(150, 3, 1) << qint64(-100) << int(kUnitYears) << at(100, 3, 1);
        QTest::newRow("a second before the first moment stays there")
            << at(100, 1, 1) << qint64(-1) << int(kUnitSeconds) << at(100, 1, 1);
        QTest::newRow("a huge day count ends at the range's end without overflow")
            << at(2010, 1, 1) << qint64(1'000'000'000'000'000) << int(kUnitDays) << at(9999, 12, 31);
        QTest::newRow("a huge month count clamps the year and keeps the carried month")
            << at(2010, 1, 31) << qint64(-12'000'000'000'000'001) << int(kUnitMonths) << at(100, 12, 31);
        QTest::newRow("the largest month count does not overflow")
            << at(2010, 5, 31) << std::numeric_limits<qint64>::max() << int(kUnitMonths) << at(9999, 12, 31);
    }
    void shift() {
        QFETCH(OleDateTime, start);
        QFETCH(qint64, amount);
        QFETCH(int, unit);
        QFETCH(OleDateTime, expected);
        QCOMPARE(orvane::AddToDate(start, amount, unit).toText(), expected.toText());
    }

    void difference_data() {
        QTest::addColumn<OleDateTime>("first");
        QTest::addColumn<OleDateTime>("second");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("unitText");
        QTest::addColumn<QString>("message");
        using namespace orvane;
        QTest::newRow("equal date-times give 0 days")
            << at(2010, 3, 5, 8) << at(2010, 3, 5, 8) << int(kUnitDays) << u"日"_s << u"日期相差0日"_s;
        QTest::newRow("first earlier gives negative days")
            << at(2010, 3, 1) << at(2010, 3, 5) << int(kUnitDays) << u"日"_s << u"日期相差-4日"_s;
        QTest::newRow("first later gives positive days")
            << at(2010, 3, 5) << at(2010, 3, 1) << int(kUnitDays) << u"日"_s << u"日期相差4日"_s;
        QTest::newRow("an hour earlier is -1 hour")
            << at(2010, 3, 5, 7) << at(2010, 3, 5, 8) << int(kUnitHours) << u"时"_s << u"日期相差-1时"_s;
        QTest::newRow("an hour later is 1 hour")
            << at(2010, 3, 5, 9) << at(2010, 3, 5, 8) << int(kUnitHours) << u"时"_s << u"日期相差1时"_s;
        QTest::newRow("days keep their fraction")
            << at(2010, 3, 5, 12) << at(2010, 3, 5) << int(kUnitDays) << u"日"_s << u"日期相差0.5日"_s;
        QTest::newRow("one second is not lost to a day count a hair below it")
            << at(2010, 3, 5, 0, 0, 1) << at(2010, 3, 5) << int(kUnitSeconds) << u"秒"_s << u"日期相差1秒"_s;
        QTest::newRow("59 seconds are 0 minutes, truncated")
            << at(2010, 3, 5, 0, 0, 59) << at(2010, 3, 5) << int(kUnitMinutes) << u"分"_s << u"日期相差0分"_s;
        QTest::newRow("minutes back across a day") << at(2010, 3, 4, 23, 30) << at(2010, 3, 5, 0, 15)
                                                   << int(kUnitMinutes) << u"分"_s << u"日期相差-45分"_s;
        QTest::newRow("hours before 1899-12-30 run forwards")
            << at(1899, 12, 29, 6) << at(1899, 12, 30) << int(kUnitHours) << u"时"_s << u"日期相差-18时"_s;
        QTest::newRow("years count calendar boundaries, one day apart")
            << at(2011, 1, 1) << at(2010, 12, 31) << int(kUnitYears) << u"年"_s << u"日期相差1年"_s;
        QTest::newRow("years exchanged")
            << at(2010, 12, 31) << at(2011, 1, 1) << int(kUnitYears) << u"年"_s << u"日期相差-1年"_s;
        QTest::newRow("months count calendar boundaries across a year")
            << at(2011, 1, 1) << at(2010, 12, 31) << int(kUnitMonths) << u"月"_s << u"日期相差1月"_s;
        QTest::newRow("months over several years")
            << at(2012, 2, 1) << at(2010, 11, 30) << int(kUnitMonths) << u"月"_s << u"日期相差15月"_s;
        QTest::newRow("the no-date value against 2010 is about -1910 years")
            << OleDateTime() << at(2010, 3, 5) << int(kUnitYears) << u"年"_s << u"日期相差-1910年"_s;
    }
    void difference() {
        QFETCH(OleDateTime, first);
        QFETCH(OleDateTime, second);
        QFETCH(int, unit);
        QFETCH(QString, unitText);
        QFETCH(QString, message);
        QCOMPARE(orvane::differenceMessage(orvane::DateDifference(first, second, unit), unitText), message);
    }

    void fieldTexts_data() {
        QTest::addColumn<OleDateTime>("value");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("midnight leaves all time fields empty")
            << at(2010, 3, 5) << QStringList{u"2010"_s, u"3"_s, u"5"_s, {}, {}, {}};
        QTest::newRow("08:00:00 shows only the hour")
            << at(2010, 2, 28, 8) << QStringList{u"2010"_s, u"2"_s, u"28"_s, u"8"_s, {}, {}};
        QTest::newRow("00:05:00 shows hour 0 and the minute")
            << at(2010, 3, 5, 0, 5) << QStringList{u"2010"_s, u"3"_s, u"5"_s, u"0"_s, u"5"_s, {}};
        QTest::newRow("00:00:07 shows every field")
            << at(999, 12, 31, 0, 0, 7) << QStringList{u"999"_s, u"12"_s, u"31"_s, u"0"_s, u"0"_s, u"7"_s};
    }
    void fieldTexts() {
        QFETCH(OleDateTime, value);
        QFETCH(QStringList, fields);
        QCOMPARE(orvane::dateFieldTexts(value), fields);
        QCOMPARE(orvane::readDateFields(fields), value); // what is written back reads the same again
    }

    void readFields_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<OleDateTime>("expected");
        QTest::newRow("empty time fields count as 0")
            << QStringList{u"2010"_s, u"3"_s, u"5"_s, {}, {}, {}} << at(2010, 3, 5);
        QTest::newRow("full-width digits")
            << QStringList{u"２０１０"_s, u"３"_s, u"５"_s, u"８"_s, u"９"_s, u"１"_s}
            << at(2010, 3, 5, 8, 9, 1);
        QTest::newRow("30 February reads as the no-date value")
            << QStringList{u"2010"_s, u"2"_s, u"30"_s, {}, {}, {}} << OleDateTime();
        QTest::newRow("hour 24 reads as the no-date value")
            << QStringList{u"2010"_s, u"3"_s, u"5"_s, u"24"_s, {}, {}} << OleDateTime();
        QTest::newRow("minute 60 reads as the no-date value")
            << QStringList{u"2010"_s, u"3"_s, u"5"_s, u"1"_s, u"60"_s, {}} << OleDateTime();
        QTest::newRow("empty year reads as the no-date value")
            << QStringList{{}, u"3"_s, u"5"_s, {}, {}, {}} << OleDateTime();
        QTest::newRow("letters read as the no-date value")
            << QStringList{u"2010"_s, u"x"_s, u"5"_s, {}, {}, {}} << OleDateTime();
    }
    void readFields() {
        QFETCH(QStringList, fields);
        QFETCH(OleDateTime, expected);
        QCOMPARE(orvane::readDateFields(fields).toText(), expected.toText());
    }

    void amount_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("amount");
        QTest::newRow("-1.9 truncates toward zero") << u"-1.9"_s << qint64(-1);
        QTest::newRow("empty is 0") << QString() << qint64(0);
        QTest::newRow("full-width digits") << u"１２"_s << qint64(12);
        QTest::newRow("full-width minus and point") << u"－２．５"_s << qint64(-2);
        QTest::newRow("the leading number of a text") << u"5天"_s << qint64(5);
        QTest::newRow("no number is 0") << u"abc"_s << qint64(0);
    }
    void amount() {
        QFETCH(QString, text);
        QFETCH(qint64, amount);
        QCOMPARE(orvane::readAmount(text), amount);
    }
};

ORVANE_TEST(DateArithmetic)
#include "test_DateArithmetic.moc"
