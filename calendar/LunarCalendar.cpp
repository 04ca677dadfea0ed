// Chinese lunar calendar: conversions over the packed year table, and the names of years, months and days.
#include "calendar/LunarCalendar.h"

#include "calendar/LunarTable.h"

#include <algorithm>
#include <array>

namespace orvane {
namespace {

using namespace lunar_table;

bool inTable(int year) {
    return year >= kFirstYear && year <= kLastYear;
}
std::uint32_t info(int year) {
    return kYearInfo[static_cast<std::size_t>(year - kFirstYear)];
}
int leapOf(int year) {
    return static_cast<int>(info(year) & 0xf);
}
int regularDays(int year, int month) {
    return (info(year) >> (16 - month)) & 1 ? 30 : 29;
}
int leapDays(int year) {
    return leapOf(year) == 0 ? 0 : (info(year) & 0x10000 ? 30 : 29);
}

int yearDays(int year) {
    int days = leapDays(year);
    for (int month = 1; month <= 12; ++month)
        days += regularDays(year, month);
    return days;
}

// Julian day of every new year in the table, and of the day after its last year: finding a date's lunar
// year is then a binary search instead of a walk over two centuries of year lengths.
const std::array<qint64, kYears + 1>& yearStarts() {
    static const std::array<qint64, kYears + 1> starts = [] {
        std::array<qint64, kYears + 1> result{};
        result[0] = QDate(kFirstNewYearYear, kFirstNewYearMonth, kFirstNewYearDay).toJulianDay();
        for (int i = 0; i < kYears; ++i)
            result[i + 1] = result[i] + yearDays(kFirstYear + i);
        return result;
    }();
    return starts;
}

constexpr char16_t kStems[] = u"甲乙丙丁戊己庚辛壬癸";
constexpr char16_t kBranches[] = u"子丑寅卯辰巳午未申酉戌亥";
constexpr char16_t kAnimals[] = u"鼠牛虎兔龙蛇马羊猴鸡狗猪";
constexpr char16_t kMonthChars[] = u"正二三四五六七八九十冬腊";
constexpr char16_t kDigits[] = u"一二三四五六七八九十";

// Position in the sixty-year cycle; 1984 was 甲子, the cycle's first year.
int cyclePosition(int lunarYear) {
    return ((lunarYear - 1984) % 60 + 60) % 60;
}

} // namespace

std::optional<LunarDate> lunarFromSolar(QDate date) {
    if (!date.isValid())
        return std::nullopt;
    const qint64 jd = date.toJulianDay();
    const auto& starts = yearStarts();
    if (jd < starts.front() || jd >= starts.back())
        return std::nullopt;
    const auto index = std::upper_bound(starts.begin(), starts.end(), jd) - starts.begin() - 1;
    const int year = kFirstYear + static_cast<int>(index);
    int offset = static_cast<int>(jd - starts[static_cast<std::size_t>(index)]);
    const int leap = leapOf(year);
    for (int month = 1; month <= 12; ++month) {
        const int days = regularDays(year, month);
        if (offset < days)
            return LunarDate{year, month, false, offset + 1};
        offset -= days;
        if (month == leap) {
            if (offset < leapDays(year))
                return LunarDate{year, month, true, offset + 1};
            offset -= leapDays(year);
        }
    }
    return std::nullopt; // not reached: a year's months add up to the next new year
}

std::optional<QDate> solarFromLunar(const LunarDate& date) {
    const int days = lunarMonthDays(date.year, date.month, date.leap);
    if (days == 0 || date.day < 1 || date.day > days)
        return std::nullopt;
    qint64 jd = yearStarts()[static_cast<std::size_t>(date.year - kFirstYear)];
    const int leap = leapOf(date.year);
    for (int month = 1; month < date.month; ++month)
        jd += regularDays(date.year, month) + (month == leap ? leapDays(date.year) : 0);
    if (date.leap) // the leap month follows the regular month of its number
        jd += regularDays(date.year, date.month);
    return QDate::fromJulianDay(jd + date.day - 1);
}

int lunarMonthDays(int lunarYear, int month, bool leap) {
    if (!inTable(lunarYear) || month < 1 || month > 12)
        return 0;
    if (leap)
        return leapOf(lunarYear) == month ? leapDays(lunarYear) : 0;
    return regularDays(lunarYear, month);
}

int leapMonthOf(int lunarYear) {
    return inTable(lunarYear) ? leapOf(lunarYear) : 0;
}

QString sexagenaryYearName(int lunarYear) {
    const int position = cyclePosition(lunarYear);
    return QString(QChar(kStems[position % 10])) + QChar(kBranches[position % 12]);
}

QString zodiacAnimal(int lunarYear) {
    return QString(QChar(kAnimals[cyclePosition(lunarYear) % 12]));
}

QString lunarMonthName(int month, bool leap) {
    if (month < 1 || month > 12)
        return {};
    const QString name = QString(QChar(kMonthChars[month - 1])) + u'月';
    return leap ? u'闰' + name : name;
}

QString lunarDayName(int day) {
    if (day < 1 || day > 30)
        return {};
    if (day <= 10)
        return QString(u'初') + QChar(kDigits[day - 1]);
    if (day < 20)
        return QString(u'十') + QChar(kDigits[day - 11]);
    if (day == 20)
        return QStringLiteral("二十");
    if (day < 30)
        return QString(u'廿') + QChar(kDigits[day - 21]);
    return QStringLiteral("三十");
}

QString lunarDateText(QDate date) {
    const auto lunar = lunarFromSolar(date);
    if (!lunar)
        return {};
    return sexagenaryYearName(lunar->year) + u'年' + u'(' + zodiacAnimal(lunar->year) + u')' +
           lunarMonthName(lunar->month, lunar->leap) + lunarDayName(lunar->day) + u' ' +
           QString::number(date.year()) + u'-' + QString::number(date.month()) + u'-' +
           QString::number(date.day());
}

} // namespace orvane
