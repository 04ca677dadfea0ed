// When an alarm rings: its rule, stored date and time of day as wall-clock minutes, and the next ring.
#pragma once

#include "alarm/AlarmRule.h"

#include <QDateTime>
#include <QString>

#include <limits>
#include <optional>

namespace orvane {

// A wall-clock minute as one number: the local date's Julian day × 1440 + the minute of the day. Local
// minutes, not instants: an alarm set for 08:30 rings when the clock on the wall says 08:30.
constexpr qint64 kMinutesPerDay = 1440;
qint64 minuteKey(const QDateTime& local);
qint64 minuteKey(QDate date, int minuteOfDay);
QDate dateOfMinute(qint64 minute);
QDateTime dateTimeOfMinute(qint64 minute);

struct AlarmTime {
    AlarmRule rule;         // Unknown: never rings
    qint16 minuteOfDay = 0; // hour × 60 + minute of the stored due text
    qint64 firstDay = 0;    // Julian day of the stored date: the first day it may ring
    // The stored date's lunar month and day, for the lunar rules.
    quint8 lunarMonth = 0;
    quint8 lunarDay = 0;
    bool lunarLeap = false;

    bool ringsAt(qint64 minute) const;
    bool ringsOnDay(qint64 julianDay) const; // at its minute of that day
    // The first minute at or after `from` in which it rings; none when it never rings again. `until`
    // ends the search early (the scheduler looks only as far as the minute now).
    std::optional<qint64> nextAt(qint64 from, qint64 until = std::numeric_limits<qint64>::max()) const;
    bool operator==(const AlarmTime&) const = default;
};

// The time of a rule on a date at a minute of the day; a lunar rule on a date outside the lunar table
// never rings.
AlarmTime alarmTime(const AlarmRule& rule, QDate date, int minuteOfDay);

} // namespace orvane
