// Tests of the lunar calendar: against the astronomical reference month by month, its limits, names and text.
#include "calendar/LunarCalendar.h"
#include "tests/support/TestRegistry.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <optional>
#include <vector>

using orvane::LunarDate;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<LunarDate>)

namespace {

struct RefMonth {
    QDate first;
    int year, month;
    bool leap;
    int days;
};

// Where the official calendar differs from tools/make-lunar-reference: the month the reference begins on
// `computed` officially begins on `official`.
struct Exception {
    QDate computed, official;
    const char* why;
};
const Exception kExceptions[] = {
    {QDate(1906, 4, 23), QDate(1906, 4, 24),
     "the Qing almanac of 1906 began the fourth month the day after the 23:52 (Beijing mean time) new moon"},
};

// The reference file, parsed and checked for shape once (every later test relies on it).
const std::vector<RefMonth>& reference() {
    static const std::vector<RefMonth> months = [] {
        std::vector<RefMonth> result;
        QFile file(QStringLiteral(ORVANE_LUNAR_REFERENCE));
        if (!file.open(QIODevice::ReadOnly))
            return result;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine().trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QList<QByteArray> f = line.split('\t');
            if (f.size() != 5)
                return std::vector<RefMonth>{};
            result.push_back({QDate::fromString(QString::fromLatin1(f[0]), Qt::ISODate), f[1].toInt(),
                              f[2].toInt(), f[3] == "1", f[4].toInt()});
        }
        for (const Exception& e : kExceptions) {
            auto it =
                std::find_if(result.begin(), result.end(), [&](auto& m) { return m.first == e.computed; });
            if (it == result.begin() || it == result.end())
                return std::vector<RefMonth>{}; // a stale exception fails the shape check
            const auto shift = e.computed.daysTo(e.official);
            it->first = e.official;
            it->days -= int(shift);
            (it - 1)->days += int(shift);
        }
        return result;
    }();
    return months;
}

std::optional<LunarDate> referenceLookup(QDate date) {
    const auto& months = reference();
    auto it = std::upper_bound(months.begin(), months.end(), date,
                               [](QDate d, const RefMonth& m) { return d < m.first; });
    if (it == months.begin())
        return std::nullopt;
    --it;
    const auto day = it->first.daysTo(date) + 1;
    if (day > it->days)
        return std::nullopt;
    return LunarDate{it->year, it->month, it->leap, int(day)};
}

QString show(const std::optional<LunarDate>& d) {
    if (!d)
        return u"none"_s;
    return QString::asprintf("%d-%s%d-%d", d->year, d->leap ? "L" : "", d->month, d->day);
}

} // namespace

class LunarCalendarTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        const auto& months = reference();
        QVERIFY2(months.size() > 2400, "reference file missing, malformed, or an exception is stale");
        QCOMPARE(months.front().first, QDate(1900, 1, 31));
        for (std::size_t i = 0; i < months.size(); ++i) {
            const RefMonth& m = months[i];
            QVERIFY2(m.days == 29 || m.days == 30, qPrintable(m.first.toString(Qt::ISODate)));
            if (i + 1 < months.size())
                QCOMPARE(m.first.addDays(m.days), months[i + 1].first);
        }
    }

    // Facts known independently of both the table and the reference: they also prove the file is read right.
    void knownDates_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<std::optional<LunarDate>>("lunar");
        auto row = [](const char* name, QDate d, LunarDate l) {
            QTest::newRow(name) << d << std::optional(l);
        };
        row("first new year of the table", QDate(1900, 1, 31), {1900, 1, false, 1});
        row("new year 2010", QDate(2010, 2, 14), {2010, 1, false, 1});
        row("2020's fourth month is followed by its leap", QDate(2020, 4, 23), {2020, 4, false, 1});
        row("2020's leap fourth month", QDate(2020, 5, 23), {2020, 4, true, 1});
        row("2023's leap second month", QDate(2023, 3, 22), {2023, 2, true, 1});
        row("2033's leap eleventh month, not a leap seventh", QDate(2033, 12, 22), {2033, 11, true, 1});
        row("new year 2026", QDate(2026, 2, 17), {2026, 1, false, 1});
        row("1916 new year in Beijing mean time, not UTC+8", QDate(1916, 2, 3), {1916, 1, false, 1});
        row("1906 fourth month as the Qing almanac had it", QDate(1906, 4, 24), {1906, 4, false, 1});
        row("new year 1996 on 2-19", QDate(1996, 2, 19), {1996, 1, false, 1});
        row("2057 ninth month: new moon 10 s before midnight", QDate(2057, 9, 28), {2057, 9, false, 1});
        row("2089 eighth month: new moon minutes before midnight", QDate(2089, 9, 4), {2089, 8, false, 1});
        row("2097 seventh month: new moon 42 s before midnight", QDate(2097, 8, 7), {2097, 7, false, 1});
        row("last day of the table", QDate(2101, 1, 28), {2100, 12, false, 29});
    }
    void knownDates() {
        QFETCH(QDate, date);
        QFETCH(std::optional<LunarDate>, lunar);
        QCOMPARE(show(referenceLookup(date)), show(lunar));
        QCOMPARE(show(orvane::lunarFromSolar(date)), show(lunar));
    }

    void newYearsAndLeapMonths_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<QDate>("newYear");
        QTest::addColumn<int>("leapMonth");
        QTest::addColumn<int>("leapDays");
        const auto& months = reference();
        for (std::size_t i = 0; i < months.size(); ++i) {
            const RefMonth& m = months[i];
            if (m.month != 1 || m.leap)
                continue;
            int leap = 0, leapDays = 0;
            for (std::size_t j = i; j < months.size() && months[j].year == m.year; ++j)
                if (months[j].leap)
                    std::tie(leap, leapDays) = std::pair(months[j].month, months[j].days);
            QTest::addRow("lunar year %d", m.year) << m.year << m.first << leap << leapDays;
        }
    }
    void newYearsAndLeapMonths() {
        QFETCH(int, year);
        QFETCH(QDate, newYear);
        QFETCH(int, leapMonth);
        QFETCH(int, leapDays);
        QCOMPARE(orvane::solarFromLunar({year, 1, false, 1}), std::optional(newYear));
        QCOMPARE(show(orvane::lunarFromSolar(newYear)), show(LunarDate{year, 1, false, 1}));
        if (year > 1900) // the eve belongs to the twelfth month of the year before
            QCOMPARE(orvane::lunarFromSolar(newYear.addDays(-1))->month, 12);
        QCOMPARE(orvane::leapMonthOf(year), leapMonth);
        QCOMPARE(orvane::lunarMonthDays(year, leapMonth, true), leapDays);
    }

    void monthStartsAndLengths_data() {
        QTest::addColumn<int>("index");
        const auto& months = reference();
        for (std::size_t i = 0; i < months.size(); ++i)
            QTest::addRow("%s", qPrintable(months[i].first.toString(Qt::ISODate))) << int(i);
    }
    void monthStartsAndLengths() {
        QFETCH(int, index);
        const RefMonth& m = reference()[std::size_t(index)];
        const QDate last = m.first.addDays(m.days - 1);
        QCOMPARE(show(orvane::lunarFromSolar(m.first)), show(LunarDate{m.year, m.month, m.leap, 1}));
        QCOMPARE(show(orvane::lunarFromSolar(last)), show(LunarDate{m.year, m.month, m.leap, m.days}));
        QCOMPARE(orvane::lunarMonthDays(m.year, m.month, m.leap), m.days);
        QCOMPARE(orvane::solarFromLunar({m.year, m.month, m.leap, 1}), std::optional(m.first));
        QCOMPARE(orvane::solarFromLunar({m.year, m.month, m.leap, m.days + 1}), std::nullopt);
    }

    void sampledDays() {
        for (QDate d(1900, 1, 31); d <= QDate(2101, 1, 28); d = d.addDays(97))
            QVERIFY2(show(orvane::lunarFromSolar(d)) == show(referenceLookup(d)),
                     qPrintable(d.toString(Qt::ISODate)));
    }

    // Every day maps to a lunar day one after the previous one, and back to itself.
    void everyDayStepsByOneAndRoundTrips() {
        std::optional<LunarDate> previous;
        for (QDate d(1900, 1, 31); d <= QDate(2101, 1, 28); d = d.addDays(1)) {
            const auto lunar = orvane::lunarFromSolar(d);
            QVERIFY2(lunar, qPrintable(d.toString(Qt::ISODate)));
            QVERIFY2(orvane::solarFromLunar(*lunar) == d, qPrintable(d.toString(Qt::ISODate)));
            if (previous) {
                const bool sameMonth = lunar->year == previous->year && lunar->month == previous->month &&
                                       lunar->leap == previous->leap;
                QVERIFY2(sameMonth ? lunar->day == previous->day + 1 : lunar->day == 1,
                         qPrintable(d.toString(Qt::ISODate)));
            }
            previous = lunar;
        }
    }

    void outsideTheTable_data() {
        QTest::addColumn<QDate>("date");
        QTest::newRow("day before the 1900 new year") << QDate(1900, 1, 30);
        QTest::newRow("day after lunar 2100 ends") << QDate(2101, 1, 29);
        QTest::newRow("invalid date") << QDate();
    }
    void outsideTheTable() {
        QFETCH(QDate, date);
        QCOMPARE(show(orvane::lunarFromSolar(date)), u"none"_s);
        QCOMPARE(orvane::lunarDateText(date), QString());
    }

    void noSuchLunarDay_data() {
        QTest::addColumn<LunarDate>("date");
        QTest::addColumn<bool>("noSuchMonth");
        QTest::newRow("leap month in a year without one") << LunarDate{2021, 4, true, 1} << true;
        QTest::newRow("leap flag on the wrong month") << LunarDate{2020, 5, true, 1} << true;
        QTest::newRow("thirtieth of a 29-day leap month") << LunarDate{2023, 2, true, 30} << false;
        QTest::newRow("day zero") << LunarDate{2020, 1, false, 0} << false;
        QTest::newRow("day 31") << LunarDate{2020, 2, false, 31} << false;
        QTest::newRow("month zero") << LunarDate{2020, 0, false, 1} << true;
        QTest::newRow("month 13") << LunarDate{2020, 13, false, 1} << true;
        QTest::newRow("year before the table") << LunarDate{1899, 12, false, 1} << true;
        QTest::newRow("year after the table") << LunarDate{2101, 1, false, 1} << true;
    }
    void noSuchLunarDay() {
        QFETCH(LunarDate, date);
        QFETCH(bool, noSuchMonth);
        QCOMPARE(orvane::solarFromLunar(date), std::nullopt);
        QCOMPARE(orvane::lunarMonthDays(date.year, date.month, date.leap) == 0, noSuchMonth);
    }

    void monthNames_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<bool>("leap");
        QTest::addColumn<QString>("name");
        QTest::newRow("first month is 正月") << 1 << false << u"正月"_s;
        QTest::newRow("second month") << 2 << false << u"二月"_s;
        QTest::newRow("tenth month") << 10 << false << u"十月"_s;
        QTest::newRow("eleventh month is 冬月") << 11 << false << u"冬月"_s;
        QTest::newRow("twelfth month is 腊月") << 12 << false << u"腊月"_s;
        QTest::newRow("leap prefix") << 4 << true << u"闰四月"_s;
        QTest::newRow("leap eleventh keeps its name") << 11 << true << u"闰冬月"_s;
        QTest::newRow("month zero") << 0 << false << QString();
        QTest::newRow("month 13") << 13 << true << QString();
    }
    void monthNames() {
        QFETCH(int, month);
        QFETCH(bool, leap);
        QFETCH(QString, name);
        QCOMPARE(orvane::lunarMonthName(month, leap), name);
    }

    void dayNames_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("name");
        const char16_t* names[] = {u"初一", u"初九", u"初十", u"十一", u"十九", u"二十",
                                   u"廿一", u"廿九", u"三十", u"",     u""};
        const int days[] = {1, 9, 10, 11, 19, 20, 21, 29, 30, 0, 31};
        for (int i = 0; i < 11; ++i)
            QTest::addRow("day %d", days[i]) << days[i] << QString::fromUtf16(names[i]);
    }
    void dayNames() {
        QFETCH(int, day);
        QFETCH(QString, name);
        QCOMPARE(orvane::lunarDayName(day), name);
    }

    void sexagenaryCycle_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("animal");
        QTest::newRow("1984 starts the cycle") << 1984 << u"甲子"_s << u"鼠"_s;
        QTest::newRow("stem and branch both advance") << 1985 << u"乙丑"_s << u"牛"_s;
        QTest::newRow("2043 ends the cycle") << 2043 << u"癸亥"_s << u"猪"_s;
        QTest::newRow("2044 wraps to the start") << 2044 << u"甲子"_s << u"鼠"_s;
        QTest::newRow("years before 1984 count backwards") << 1983 << u"癸亥"_s << u"猪"_s;
        QTest::newRow("1900") << 1900 << u"庚子"_s << u"鼠"_s;
        QTest::newRow("2026") << 2026 << u"丙午"_s << u"马"_s;
    }
    void sexagenaryCycle() {
        QFETCH(int, year);
        QFETCH(QString, name);
        QFETCH(QString, animal);
        QCOMPARE(orvane::sexagenaryYearName(year), name);
        QCOMPARE(orvane::zodiacAnimal(year), animal);
    }

    void dateText_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("new year") << QDate(2026, 2, 17) << u"丙午年(马)正月初一 2026-2-17"_s;
        QTest::newRow("eve takes the old year's name")
            << QDate(2026, 2, 16) << u"乙巳年(蛇)腊月廿九 2026-2-16"_s;
        QTest::newRow("leap month") << QDate(2020, 6, 20) << u"庚子年(鼠)闰四月廿九 2020-6-20"_s;
        QTest::newRow("leap eleventh month") << QDate(2033, 12, 22) << u"癸丑年(牛)闰冬月初一 2033-12-22"_s;
        QTest::newRow("first day of the table") << QDate(1900, 1, 31) << u"庚子年(鼠)正月初一 1900-1-31"_s;
    }
    void dateText() {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QCOMPARE(orvane::lunarDateText(date), text);
    }
};

ORVANE_TEST(LunarCalendarTest)
#include "test_LunarCalendar.moc"
