// Tests of the date-time value: day counts, clamping, rounding, text forms, second arithmetic, weekdays.
#include "common/OleDateTime.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <cmath>
#include <limits>

using orvane::DateTimeParts;
using orvane::OleDateTime;
using namespace Qt::StringLiterals;

namespace {

const QDate kDayZero(1899, 12, 30);

QString show(const DateTimeParts& p) {
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                             p.second);
}

QString show(QDate d, QTime t) {
    return show(DateTimeParts{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()});
}

DateTimeParts partsOf(QDate d, QTime t) {
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

const QString kNoDate = QStringLiteral("0100-01-01 00:00:00");

} // namespace

class OleDateTimeTest : public QObject {
    Q_OBJECT

private slots:
    void dayCounts_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<double>("days");
        QTest::newRow("day zero is 1899-12-30") << QDate(1899, 12, 30) << QTime(0, 0) << 0.0;
        QTest::newRow("noon is half a day") << QDate(1900, 1, 1) << QTime(12, 0) << 2.5;
        QTest::newRow("1900 is not a leap year") << QDate(1900, 3, 1) << QTime(0, 0) << 61.0;
        QTest::newRow("2000-01-01") << QDate(2000, 1, 1) << QTime(0, 0) << 36526.0;
        QTest::newRow("before 1899 the time still adds") << QDate(1899, 12, 29) << QTime(6, 0) << -1.25;
        QTest::newRow("before 1899 at midnight") << QDate(1899, 12, 29) << QTime(0, 0) << -1.0;
        QTest::newRow("two days back at 18:00") << QDate(1899, 12, 28) << QTime(18, 0) << -2.75;
        QTest::newRow("range start") << QDate(100, 1, 1) << QTime(0, 0) << -657434.0;
        QTest::newRow("range end") << QDate(9999, 12, 31) << QTime(0, 0) << 2958465.0;
    }
    void dayCounts() {
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(double, days);
        QCOMPARE(std::trunc(days), double(kDayZero.daysTo(date))); // the table itself agrees with QDate
        QCOMPARE(OleDateTime::fromParts(partsOf(date, time)).days(), days);
        QCOMPARE(show(OleDateTime(days).parts()), show(date, time));
    }

    void sweepAgreesWithQDate() {
        const int kTime = 13 * 3600 + 45 * 60 + 10; // a time of day with every field set
        const double fraction = kTime / 86400.0;
        for (qint64 n = qint64(OleDateTime::kMinDays); n < qint64(OleDateTime::kMaxDays); n += 37) {
            const QDate date = kDayZero.addDays(n);
            const OleDateTime v(n >= 0 ? n + fraction : n - fraction);
            const QString got = show(v.parts());
            const QString want = show(date, QTime(13, 45, 10));
            QVERIFY2(got == want, qPrintable(QString::number(n) + u' ' + got + u" != " + want));
            QCOMPARE(OleDateTime::fromParts(v.parts()).days(), v.days());
            QVERIFY2(v.weekday() == date.dayOfWeek() % 7 + 1, qPrintable(want));
        }
    }

    void textRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("written");
        auto row = [](const char* name, const QString& text, QDate d, QTime t, const QString& written) {
            QTest::newRow(name) << text << d << t << written;
        };
        const QDate d(2010, 3, 15);
        row("all six fields", u"2010年3月15日12时30分48秒"_s, d, QTime(12, 30, 48),
            u"2010年3月15日12时30分48秒"_s);
        row("zero second is left out", u"2010年3月15日12时30分"_s, d, QTime(12, 30),
            u"2010年3月15日12时30分"_s);
        row("hour only", u"2010年3月15日12时"_s, d, QTime(12, 0), u"2010年3月15日12时"_s);
        row("midnight writes the date only", u"2010年3月15日"_s, d, QTime(0, 0), u"2010年3月15日"_s);
        row("second set keeps zero hour and minute", u"2010年3月15日0时0分5秒"_s, d, QTime(0, 0, 5),
            u"2010年3月15日0时0分5秒"_s);
        row("minute set keeps zero hour", u"2010年3月15日0时5分"_s, d, QTime(0, 5), u"2010年3月15日0时5分"_s);
        row("leading zeros are not written", u"2010年03月05日08时05分"_s, QDate(2010, 3, 5), QTime(8, 5),
            u"2010年3月5日8时5分"_s);
        row("negative days", u"1899年12月29日6时"_s, QDate(1899, 12, 29), QTime(6, 0),
            u"1899年12月29日6时"_s);
        row("far before 1899", u"1066年10月14日9时30分"_s, QDate(1066, 10, 14), QTime(9, 30),
            u"1066年10月14日9时30分"_s);
        row("no gap at the 1582 reform", u"1582年10月10日"_s, QDate(1582, 10, 10), QTime(0, 0),
            u"1582年10月10日"_s);
        row("first second of the range", u"100年1月1日0时0分1秒"_s, QDate(100, 1, 1), QTime(0, 0, 1),
            u"100年1月1日0时0分1秒"_s);
        row("year 100 is not a leap year", u"100年3月1日"_s, QDate(100, 3, 1), QTime(0, 0), u"100年3月1日"_s);
        row("range end", u"9999年12月31日"_s, QDate(9999, 12, 31), QTime(0, 0), u"9999年12月31日"_s);
        row("last second of a leap day", u"2000年2月29日23时59分59秒"_s, QDate(2000, 2, 29),
            QTime(23, 59, 59), u"2000年2月29日23时59分59秒"_s);
        row("leap day of 1600", u"1600年2月29日"_s, QDate(1600, 2, 29), QTime(0, 0), u"1600年2月29日"_s);
    }
    void textRoundTrip() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(QString, written);
        const OleDateTime v = OleDateTime::fromText(text);
        QCOMPARE(show(v.parts()), show(date, time));
        QCOMPARE(std::trunc(v.days()), double(kDayZero.daysTo(date)));
        QCOMPARE(v.toText(), written);
        QCOMPARE(OleDateTime::fromText(v.toText()), v);
    }

    void reader_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QString& text, const QString& expected) {
            QTest::newRow(name) << text << expected;
        };
        const QString noon = u"2010-03-15 12:30:48"_s;
        row("dash separators, blank after the day", u"2010-3-15 12:30:48"_s, noon);
        row("slash separators", u"2010/3/15/12/30/48"_s, noon);
        row("dot separators", u"2010.3.15.12.30.48"_s, noon);
        row("colon separators", u"2010:3:15:12:30:48"_s, noon);
        row("signs mixed with suffixes", u"2010年3-15日12:30分48秒"_s, noon);
        row("second without suffix at the end", u"2010年3月15日12时30分48"_s, noon);
        row("full-width digits", u"２０１０年３月１５日１２时３０分４８秒"_s, noon);
        row("two-digit fields as the time page gives them", u"2010年03月15日12时30分48秒"_s, noon);
        row("ends after the day", u"2010年5月3日"_s, u"2010-05-03 00:00:00"_s);
        row("ends after the hour", u"2010年5月3日8时"_s, u"2010-05-03 08:00:00"_s);
        row("ends after the minute", u"2010年5月3日08时30分"_s, u"2010-05-03 08:30:00"_s);
        row("empty time numbers count 0", u"2010年5月3日时分秒"_s, u"2010-05-03 00:00:00"_s);
        row("leap day in a leap year", u"2012年2月29日"_s, u"2012-02-29 00:00:00"_s);
        row("leap day of 2000", u"2000年2月29日"_s, u"2000-02-29 00:00:00"_s);
        row("page failed: no date", u"0时0分0秒"_s, kNoDate);
        row("trailing apostrophe and parenthesis", u"2010年3月5日')"_s, kNoDate);
        row("trailing parenthesis", u"2010年3月15日)"_s, kNoDate);
        row("text after the second", u"2010年3月15日12时30分48秒x"_s, kNoDate);
        row("sign after the second", u"2010-3-15 12:30:48:"_s, kNoDate);
        row("hour without its sign", u"2010年3月15日8"_s, kNoDate);
        row("leading blank", u" 2010年3月15日"_s, kNoDate);
        row("blank after the year", u"2010 3 15"_s, kNoDate);
        row("leap day in a common year", u"2010年2月29日"_s, kNoDate);
        row("leap day in 1900", u"1900年2月29日"_s, kNoDate);
        row("30th of February", u"2012年2月30日"_s, kNoDate);
        row("31st of April", u"2010年4月31日"_s, kNoDate);
        row("hour 24", u"2010年3月15日24时"_s, kNoDate);
        row("minute 60", u"2010年3月15日23时60分"_s, kNoDate);
        row("second 60", u"2010年3月15日23时59分60秒"_s, kNoDate);
        row("month 0", u"2010年0月15日"_s, kNoDate);
        row("empty month", u"2010年月15日"_s, kNoDate);
        row("month 13", u"2010年13月15日"_s, kNoDate);
        row("day 0", u"2010年3月0日"_s, kNoDate);
        row("five-digit year", u"20100年3月15日"_s, kNoDate);
        row("three-digit month", u"2010年003月15日"_s, kNoDate);
        row("three-digit second", u"2010年3月15日1时2分003秒"_s, kNoDate);
        row("year 99", u"99年12月31日"_s, kNoDate);
        row("year 100 is the first", u"100年1月2日"_s, u"0100-01-02 00:00:00"_s);
        row("after the range end", u"9999年12月31日0时0分1秒"_s, kNoDate);
        row("empty text", QString(), kNoDate);
        row("letters", u"abc"_s, kNoDate);
    }
    void reader() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const OleDateTime v = OleDateTime::fromText(text);
        QCOMPARE(show(v.parts()), expected);
        QCOMPARE(v.isNull(), expected == kNoDate);
    }

    void clamp_data() {
        QTest::addColumn<double>("in");
        QTest::addColumn<double>("out");
        const double lo = OleDateTime::kMinDays, hi = OleDateTime::kMaxDays;
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("far below") << -1e7 << lo;
        QTest::newRow("day before the range start") << lo - 1 << lo;
        QTest::newRow("noon of the first day is inside") << lo - 0.5 << lo - 0.5;
        QTest::newRow("noon of the last day is outside") << hi + 0.5 << hi;
        QTest::newRow("far above") << 1e9 << hi;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << lo;
        QTest::newRow("+inf") << inf << hi;
        QTest::newRow("-inf") << -inf << lo;
    }
    void clamp() {
        QFETCH(double, in);
        QFETCH(double, out);
        QCOMPARE(OleDateTime(in).days(), out);
    }

    void rounding_data() {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0.9999999 of a day is the next midnight") << 36526.9999999 << u"2000-01-02 00:00:00"_s;
        QTest::newRow("under half a second rounds down") << 36526 + 30.4 / 86400 << u"2000-01-01 00:00:30"_s;
        QTest::newRow("over half a second rounds up") << 36526 + 30.6 / 86400 << u"2000-01-01 00:00:31"_s;
        QTest::newRow("negative day rounds into the next day") << -1.9999999 << u"1899-12-30 00:00:00"_s;
        QTest::newRow("between -1 and 0 is day zero") << -0.5 << u"1899-12-30 12:00:00"_s;
    }
    void rounding() {
        QFETCH(double, days);
        QFETCH(QString, expected);
        QCOMPARE(show(OleDateTime(days).parts()), expected);
    }

    void addSeconds_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QString& start, qint64 s, const QString& expected) {
            QTest::newRow(name) << start << s << expected;
        };
        const qint64 big = std::numeric_limits<qint64>::max();
        row("45+20 carries into the minute", u"2010年3月15日12时30分45秒"_s, 20, u"2010-03-15 12:31:05"_s);
        row("carries into the hour", u"2010年3月15日12时59分45秒"_s, 20, u"2010-03-15 13:00:05"_s);
        row("carries into the day", u"2010年3月15日23时59分45秒"_s, 20, u"2010-03-16 00:00:05"_s);
        row("carries into the year", u"2010年12月31日23时59分45秒"_s, 20, u"2011-01-01 00:00:05"_s);
        row("into a leap day", u"2012年2月28日23时59分59秒"_s, 1, u"2012-02-29 00:00:00"_s);
        row("a year of days ends on a leap day", u"2011年3月1日"_s, 365 * 86400, u"2012-02-29 00:00:00"_s);
        row("backwards over new year", u"2010年1月1日"_s, -1, u"2009-12-31 23:59:59"_s);
        row("from negative days to day zero", u"1899年12月29日23时59分50秒"_s, 20, u"1899-12-30 00:00:10"_s);
        row("from day zero into negative days", u"1899年12月30日0时0分10秒"_s, -20, u"1899-12-29 23:59:50"_s);
        row("clamps at the range end", u"9999年12月30日23时59分59秒"_s, 10, u"9999-12-31 00:00:00"_s);
        row("clamps at the range start", u"100年1月1日0时0分5秒"_s, -10, kNoDate);
        row("huge count does not overflow", u"2010年1月1日"_s, big, u"9999-12-31 00:00:00"_s);
        row("huge negative count", u"2010年1月1日"_s, -big - 1, kNoDate);
    }
    void addSeconds() {
        QFETCH(QString, start);
        QFETCH(qint64, seconds);
        QFETCH(QString, expected);
        const OleDateTime from = OleDateTime::fromText(start);
        QVERIFY(!from.isNull());
        QCOMPARE(show(from.addSeconds(seconds).parts()), expected);
    }

    void weekday_data() {
        QTest::addColumn<double>("days");
        QTest::addColumn<int>("weekday");
        QTest::newRow("day zero was a Saturday") << 0.0 << 7;
        QTest::newRow("the next day a Sunday") << 1.0 << 1;
        QTest::newRow("negative day: Friday") << -1.25 << 6;
        QTest::newRow("2000-01-01 a Saturday") << 36526.0 << 7;
        QTest::newRow("a moment before midnight rounds to Sunday") << 36526.9999999 << 1;
    }
    void weekday() {
        QFETCH(double, days);
        QFETCH(int, weekday);
        QCOMPARE(OleDateTime(days).weekday(), weekday);
    }

    void qDateTime_data() {
        QTest::addColumn<QDateTime>("in");
        QTest::addColumn<QString>("expected");
        QTest::newRow("milliseconds dropped, not rounded")
            << QDateTime(QDate(2010, 3, 15), QTime(12, 30, 48, 999)) << u"2010-03-15 12:30:48"_s;
        QTest::newRow("negative days")
            << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << u"1899-12-29 06:00:00"_s;
        QTest::newRow("year before 100") << QDateTime(QDate(50, 6, 1), QTime(0, 0)) << kNoDate;
        QTest::newRow("year after 9999")
            << QDateTime(QDate(10000, 6, 1), QTime(0, 0)) << u"9999-12-31 00:00:00"_s;
        QTest::newRow("invalid") << QDateTime() << kNoDate;
    }
    void qDateTime() {
        QFETCH(QDateTime, in);
        QFETCH(QString, expected);
        const OleDateTime v = OleDateTime::fromQDateTime(in);
        QCOMPARE(show(v.parts()), expected);
        const QDateTime back = v.toQDateTime();
        QCOMPARE(show(back.date(), back.time()), expected);
    }
};

ORVANE_TEST(OleDateTimeTest)
#include "test_OleDateTime.moc"
