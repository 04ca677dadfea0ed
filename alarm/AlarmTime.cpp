// Reading due texts and repeat rules, and finding the minutes in which an alarm rings.
#include "alarm/AlarmTime.h"

#include "calendar/Holidays.h"
#include "calendar/LunarCalendar.h"
#include "calendar/SolarTerms.h"

namespace orvane {

namespace {

constexpr qint64 kMinutesPerDay = 1440;

// Julian day 0 was a Monday.
int weekdayOfJulianDay(qint64 day) {
    return int(day % 7) + 1;
}

// Reads a decimal number at `at` with no leading zero (or exactly `width` digits when width > 0).
std::optional<int> number(QStringView text, qsizetype& at, int width = 0) {
    const qsizetype begin = at;
    qint64 value = 0;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9' && at - begin < 6) {
        value = value * 10 + (text[at].unicode() - u'0');
        ++at;
    }
    const qsizetype digits = at - begin;
    if (digits == 0 || (width > 0 && digits != width) || (width == 0 && text[begin] == u'0'))
        return std::nullopt;
    return int(value);
}

bool take(QStringView text, qsizetype& at, char16_t c) {
    if (at >= text.size() || text[at] != c)
        return false;
    ++at;
    return true;
}

QString twoDigits(int n) {
    return QString::number(n).rightJustified(2, u'0');
}

// The longest a day rule may wait for its next day: a lunar year with a leap month has 384 or 385 days.
constexpr qint64 kLongestWait = 400;

// Day 30 of a lunar month of 29 days rings on its 29th.
bool isLunarDay(const LunarDate& on, int wanted) {
    return on.day == std::min(wanted, lunarMonthDays(on.year, on.month, on.leap));
}

// A birthday in a leap month rings in that leap month in the years that have it, otherwise in the
// ordinary month of the same number; an ordinary-month birthday never rings in a leap month.
bool isLunarAnniversary(const LunarDate& on, int month, bool leap, int day) {
    if (on.month != month)
        return false;
    const bool ringsInLeap = leap && leapMonthOf(on.year) == month;
    return on.leap == ringsInLeap && isLunarDay(on, day);
}

bool isSolarTermDay(QDate date) {
    int year = 0;
    const int term = solarTermOnOrBefore(date, &year);
    return term >= 0 && solarTermDate(year, term) == date;
}

} // namespace

qint64 minuteKey(QDate date, int minuteOfDay) {
    return date.toJulianDay() * kMinutesPerDay + minuteOfDay;
}

qint64 minuteKey(const QDateTime& local) {
    const QTime t = local.time();
    return minuteKey(local.date(), t.hour() * 60 + t.minute());
}

QString dueText(qint64 key) {
    const QDate d = QDate::fromJulianDay(key / kMinutesPerDay);
    const int m = int(key % kMinutesPerDay);
    return QString::number(d.year()) + u'年' + QString::number(d.month()) + u'月' + QString::number(d.day()) +
           u'日' + twoDigits(m / 60) + u'时' + twoDigits(m % 60) + u'分';
}

QString dueNowText(const QDateTime& now) {
    return dueText(minuteKey(now));
}

QStringList repeatRuleItems() {
    return {QStringLiteral("每天"),     QStringLiteral("星期一"), QStringLiteral("星期二"),
            QStringLiteral("星期三"),   QStringLiteral("星期四"), QStringLiteral("星期五"),
            QStringLiteral("星期六"),   QStringLiteral("星期日"), QStringLiteral("仅一次"),
            QStringLiteral("工作日"),   QStringLiteral("节假日"), QStringLiteral("农历每年"),
            QStringLiteral("农历每月"), QStringLiteral("节气")};
}

bool followsHolidayTable(Repeat repeat) {
    return repeat == Repeat::Workday || repeat == Repeat::DayOff;
}

AlarmTime alarmTime(QStringView rule, QStringView due) {
    AlarmTime time;
    Repeat repeat = Repeat::Never;
    if (rule == u"每天") {
        repeat = Repeat::Daily;
    } else if (rule == u"仅一次") {
        repeat = Repeat::Once;
    } else if (rule == u"工作日") {
        repeat = Repeat::Workday;
    } else if (rule == u"节假日") {
        repeat = Repeat::DayOff;
    } else if (rule == u"农历每年") {
        repeat = Repeat::LunarYearly;
    } else if (rule == u"农历每月") {
        repeat = Repeat::LunarMonthly;
    } else if (rule == u"节气") {
        repeat = Repeat::SolarTermDay;
    } else if (rule.size() == 3 && rule.startsWith(u"星期")) {
        const qsizetype day = QStringView(u"一二三四五六日").indexOf(rule[2]);
        if (day < 0)
            return time;
        repeat = Repeat::Weekly;
        time.weekday = quint8(day + 1);
    } else {
        return time;
    }

    qsizetype at = 0;
    const auto year = number(due, at);
    if (!year || !take(due, at, u'年'))
        return time;
    const auto month = number(due, at);
    if (!month || !take(due, at, u'月'))
        return time;
    const auto day = number(due, at);
    if (!day || !take(due, at, u'日'))
        return time;
    const auto hour = number(due, at, 2);
    if (!hour || !take(due, at, u'时'))
        return time;
    const auto minute = number(due, at, 2);
    if (!minute || !take(due, at, u'分') || at != due.size())
        return time;
    const QDate date(*year, *month, *day);
    if (!date.isValid() || *year < 100 || *hour > 23 || *minute > 59)
        return time;
    if (repeat == Repeat::LunarYearly || repeat == Repeat::LunarMonthly) {
        const std::optional<LunarDate> lunar = lunarFromSolar(date);
        if (!lunar)
            return time; // outside the lunar table: no lunar date to keep
        time.lunarMonth = quint8(lunar->month);
        time.lunarDay = quint8(lunar->day);
        time.lunarLeap = lunar->leap;
    }
    time.repeat = repeat;
    time.minuteOfDay = qint16(*hour * 60 + *minute);
    time.firstDay = date.toJulianDay();
    return time;
}

bool AlarmTime::ringsOnDay(qint64 day) const {
    if (day < firstDay)
        return false;
    const QDate date = QDate::fromJulianDay(day);
    switch (repeat) {
    case Repeat::Once:
        return day == firstDay;
    case Repeat::Daily:
        return true;
    case Repeat::Weekly:
        return weekdayOfJulianDay(day) == weekday;
    case Repeat::Workday:
        return isStatutoryWorkday(date);
    case Repeat::DayOff:
        return !isStatutoryWorkday(date);
    case Repeat::LunarYearly:
    case Repeat::LunarMonthly: {
        const std::optional<LunarDate> on = lunarFromSolar(date);
        if (!on)
            return false;
        return repeat == Repeat::LunarMonthly ? isLunarDay(*on, lunarDay)
                                              : isLunarAnniversary(*on, lunarMonth, lunarLeap, lunarDay);
    }
    case Repeat::SolarTermDay:
        return isSolarTermDay(date);
    case Repeat::Never:
        break;
    }
    return false;
}

bool AlarmTime::ringsAt(qint64 key) const {
    return key % kMinutesPerDay == minuteOfDay && ringsOnDay(key / kMinutesPerDay);
}

std::optional<qint64> AlarmTime::nextAt(qint64 from, qint64 until) const {
    if (repeat == Repeat::Never)
        return std::nullopt;
    qint64 day = std::max(firstDay, from / kMinutesPerDay);
    if (day * kMinutesPerDay + minuteOfDay < from)
        ++day;
    switch (repeat) {
    case Repeat::Once:
        if (day != firstDay)
            return std::nullopt;
        break;
    case Repeat::Daily:
        break;
    case Repeat::Weekly:
        day += (weekday - weekdayOfJulianDay(day) + 7) % 7;
        break;
    default:
        // The calendar rules: day by day, as far as the longest wait or `until`.
        for (const qint64 last = day + kLongestWait; !ringsOnDay(day); ++day)
            if (day >= last || day * kMinutesPerDay + minuteOfDay > until)
                return std::nullopt;
        break;
    }
    return day * kMinutesPerDay + minuteOfDay;
}

QString nextRingText(const AlarmTime& time, const QDateTime& now) {
    // The minute now showing has had its scan (or is the start's, which is never scanned).
    const std::optional<qint64> next = time.nextAt(minuteKey(now) + 1);
    return next ? QStringLiteral("下次响铃：") + dueText(*next) : QStringLiteral("不会再响铃");
}

} // namespace orvane
