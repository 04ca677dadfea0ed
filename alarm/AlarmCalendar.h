// The alarms as an iCalendar file: written for phones and other calendars, and read back from ours and
// from theirs.
#pragma once

#include "alarm/Alarm.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace orvane {

class AlarmEngine;

// An alarm's next ring at or after a minute, a skipped one passed over (AlarmEngine::nextRingOf).
using NextRing = std::function<std::optional<qint64>(const Alarm&, qint64 from)>;

// One event per alarm, each with a reminder (and a sound when the alarm rings). Rules other calendars
// know repeat by RRULE; the Chinese-calendar rules and shifts list their rings of the twelve months from
// `today` (RDATE). Every event also carries the alarm's stored texts, which our import takes back as they
// are. Alarms that can never ring are left out.
QByteArray exportAlarms(const QList<Alarm>& alarms, const NextRing& nextRing, QDate today);
QByteArray exportCalendar(const AlarmEngine& engine, QDate today);

struct CalendarImport {
    QList<AlarmTexts> alarms;
    QStringList skipped; // "周会（不支持的重复方式）": each event left out and why
    QString error;       // non-empty: the text is no iCalendar file, nothing was read
};
// Our own events come back with their stored texts; other programs' events with a time and no, a daily
// or a weekly repeat become alarms that ring and pop up with the event's summary. One-off events before
// `today` are skipped.
CalendarImport readCalendar(const QByteArray& ics, QDate today);

// "导入 12 个闹钟，跳过 3 个：…".
QString importSummary(int added, const QStringList& skipped);

} // namespace orvane
