// When an alarm rings: its repeat rule and stored due text read into wall-clock minutes, and the
// due-now text of a minute.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <limits>
#include <optional>

namespace orvane {

// A wall-clock minute as one number: the local date's Julian day × 1440 + the minute of the day. Local
// minutes, not instants: an alarm set for 08:30 rings when the clock on the wall says 08:30.
qint64 minuteKey(const QDateTime& local);
qint64 minuteKey(QDate date, int minuteOfDay);
// "2010年5月3日08时05分": the date without leading zeros, hour and minute as two digits.
QString dueNowText(const QDateTime& now);
QString dueText(qint64 minuteKey);

// The rules offered in the editor, in their order: "每天", "星期一" … "星期日", "仅一次", then the
// Chinese-calendar ones "工作日", "节假日", "农历每年", "农历每月", "节气".
QStringList repeatRuleItems();

enum class Repeat : quint8 {
    Never,   // a rule or due text the program does not know: it never rings (as typed texts never matched)
    Once,    // "仅一次": on its stored date only
    Daily,   // "每天": every day from its stored date on
    Weekly,  // "星期X": every such weekday from its stored date on
    Workday, // "工作日": China's workdays (Monday–Friday but holidays, and the make-up workdays)
    DayOff,  // "节假日": the other days
    LunarYearly,  // "农历每年": the lunar month and day of its stored date, every year
    LunarMonthly, // "农历每月": the lunar day of its stored date, every lunar month
    SolarTermDay, // "节气": each of the 24 solar terms' days
};

struct AlarmTime {
    Repeat repeat = Repeat::Never;
    quint8 weekday = 0;     // 1 Monday … 7 Sunday, for Weekly
    qint16 minuteOfDay = 0; // hour × 60 + minute of the stored due text
    qint64 firstDay = 0;    // Julian day of the stored date: the first day it may ring
    // The stored date's lunar month and day, for the lunar rules.
    quint8 lunarMonth = 0;
    quint8 lunarDay = 0;
    bool lunarLeap = false;

    bool ringsAt(qint64 minuteKey) const;
    bool ringsOnDay(qint64 julianDay) const; // at its minute of that day
    // The first minute at or after `from` in which it rings; none when it never rings again. `until`
    // ends the search early (the scheduler looks only as far as the minute now).
    std::optional<qint64> nextAt(qint64 from, qint64 until = std::numeric_limits<qint64>::max()) const;
    bool operator==(const AlarmTime&) const = default;
};

// The rule (piece 1 of 提醒时间) and the due text (piece 2) read strictly: only the form the editor
// writes counts ("2010年5月3日08时05分"; "7时5分" or a zero-padded month is no time at all).
AlarmTime alarmTime(QStringView rule, QStringView dueText);

// Whether the rule decides by China's holiday table ("工作日", "节假日").
bool followsHolidayTable(Repeat repeat);

// The tooltip of a listed alarm: "下次响铃：2026年12月8日08时30分", or "不会再响铃".
QString nextRingText(const AlarmTime& time, const QDateTime& now);

} // namespace orvane
