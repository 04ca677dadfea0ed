// Finding the minutes in which an alarm rings.
#include "alarm/AlarmTime.h"

#include "calendar/Holidays.h"
#include "calendar/LunarCalendar.h"
#include "calendar/SolarTerms.h"

namespace orvane {

namespace {

// Julian day 0 was a Monday.
int weekdayOfJulianDay(qint64 day) {
    return int(day % 7) + 1;
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

// Julian day of the Monday of the day's week.
qint64 mondayOf(qint64 day) {
    return day - (weekdayOfJulianDay(day) - 1);
}

// A Saturday of 大小周 works in the big weeks (every other week from the stored one) unless the holiday
// table gives it off; every statutory workday works, make-up Saturdays included.
bool isBigSmallWeekDay(qint64 day, qint64 firstDay) {
    const QDate date = QDate::fromJulianDay(day);
    if (isStatutoryWorkday(date))
        return true;
    if (weekdayOfJulianDay(day) != 6 || ((mondayOf(day) - mondayOf(firstDay)) / 7) % 2 != 0)
        return false;
    const HolidayDay* listed = holidayTable().find(date);
    return listed == nullptr || !listed->dayOff;
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

QDate dateOfMinute(qint64 minute) {
    return QDate::fromJulianDay(minute / kMinutesPerDay);
}

QDateTime dateTimeOfMinute(qint64 minute) {
    const int m = int(minute % kMinutesPerDay);
    return QDateTime(dateOfMinute(minute), QTime(m / 60, m % 60));
}

AlarmTime alarmTime(const AlarmRule& rule, QDate date, int minuteOfDay) {
    AlarmTime time;
    if (!date.isValid())
        return time;
    if (rule.isLunar()) {
        const std::optional<LunarDate> lunar = lunarFromSolar(date);
        if (!lunar)
            return time; // outside the lunar table: no lunar date to keep
        time.lunarMonth = quint8(lunar->month);
        time.lunarDay = quint8(lunar->day);
        time.lunarLeap = lunar->leap;
    }
    time.rule = rule;
    time.minuteOfDay = qint16(minuteOfDay);
    time.firstDay = date.toJulianDay();
    return time;
}

bool AlarmTime::ringsOnDay(qint64 day) const {
    if (day < firstDay)
        return false;
    const QDate date = QDate::fromJulianDay(day);
    switch (rule.kind) {
    case RuleKind::Once:
        return day == firstDay;
    case RuleKind::Daily:
        return true;
    case RuleKind::Weekly:
        return weekdayOfJulianDay(day) == rule.weekday;
    case RuleKind::Workday:
        return isStatutoryWorkday(date);
    case RuleKind::DayOff:
        return !isStatutoryWorkday(date);
    case RuleKind::LunarYearly:
    case RuleKind::LunarMonthly: {
        const std::optional<LunarDate> on = lunarFromSolar(date);
        if (!on)
            return false;
        return rule.kind == RuleKind::LunarMonthly ? isLunarDay(*on, lunarDay)
                                                   : isLunarAnniversary(*on, lunarMonth, lunarLeap, lunarDay);
    }
    case RuleKind::SolarTerm:
        return isSolarTermDay(date);
    case RuleKind::WeekdaySet:
        return (rule.weekdays >> (weekdayOfJulianDay(day) - 1)) & 1;
    case RuleKind::BigSmallWeek:
        return isBigSmallWeekDay(day, firstDay);
    case RuleKind::Shift:
        return rule.on > 0 && (day - firstDay) % (rule.on + rule.off) < rule.on;
    case RuleKind::Unknown:
        break;
    }
    return false;
}

bool AlarmTime::ringsAt(qint64 minute) const {
    return minute % kMinutesPerDay == minuteOfDay && ringsOnDay(minute / kMinutesPerDay);
}

std::optional<qint64> AlarmTime::nextAt(qint64 from, qint64 until) const {
    if (rule.kind == RuleKind::Unknown)
        return std::nullopt;
    qint64 day = std::max(firstDay, from / kMinutesPerDay);
    if (day * kMinutesPerDay + minuteOfDay < from)
        ++day;
    switch (rule.kind) {
    case RuleKind::Once:
        if (day != firstDay)
            return std::nullopt;
        break;
    case RuleKind::Daily:
        break;
    case RuleKind::Weekly:
        day += (rule.weekday - weekdayOfJulianDay(day) + 7) % 7;
        break;
    case RuleKind::WeekdaySet:
    case RuleKind::Shift:
        // A day of the next week, or of the next cycle of at most 60 days.
        for (const qint64 last = day + 2 * kLongestShiftPart; !ringsOnDay(day); ++day)
            if (day >= last)
                return std::nullopt;
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

} // namespace orvane
