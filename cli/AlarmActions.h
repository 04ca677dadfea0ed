// What a script may do to the alarms, as typed values: the command line and D-Bus both format these.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace orvane {

class AlarmEngine;
struct Alarm;

// One alarm as a script sees it.
struct AlarmLine {
    qint64 key = 0;
    QString rule;
    std::optional<qint64> next; // the next ring (a wall-clock minute), a skipped one passed over
    std::optional<qint64> skipped;
    QString text;
    QString sound; // "默认" or a file
};

// Why an action was refused; the text is one Chinese line for the user.
struct ActionError {
    enum Kind {
        BadInput,   // a time, rule or text that cannot be an alarm
        UnknownKey, // no alarm has the key
        Refused,    // the account password is set
        Failed,     // the database refused, or the alarms are not loaded yet
    };
    Kind kind = Failed;
    QString text;
};

template <typename T> struct ActionResult {
    std::optional<T> value;
    ActionError error; // meaningful only without a value
    bool ok() const { return value.has_value(); }
};

// The rules a script may name, for the help and the message of an unknown one.
QString ruleChoicesText();

// "2026-12-09 06:50": the form scripts read and write.
QString scriptTime(qint64 minute);

// The date and minute of day TIME names: "07:30" is the next 07:30 on the clock (today while it is still
// ahead, else tomorrow), "2026-12-09 06:50" that minute. The hour and minute are left as typed, so the
// editor's own check judges them.
struct TypedTime {
    QDate date;
    QString hour, minute;
};
std::optional<TypedTime> readScriptTime(const QString& text, const QDateTime& now);

QList<AlarmLine> listAlarms(const AlarmEngine& engine, const QDateTime& now);
// The alarm that rings first after now; none when no alarm will ring.
std::optional<AlarmLine> nextAlarm(const AlarmEngine& engine, const QDateTime& now);

struct NewAlarm {
    QString rule, time, text;
    QString sound; // empty: the built-in ring
};
// Checks the rule and time as the editor does, stores the alarm and answers it as listed.
ActionResult<AlarmLine> addAlarm(AlarmEngine& engine, const NewAlarm& alarm, const QDateTime& now);
// The removed alarm as it was.
ActionResult<AlarmLine> removeAlarm(AlarmEngine& engine, qint64 key, const QDateTime& now);
// The alarm with the ring it skips in `skipped`.
ActionResult<AlarmLine> skipAlarm(AlarmEngine& engine, qint64 key, const QDateTime& now);

// Writes every alarm to an iCalendar file, whole or not at all; answers how many.
ActionResult<int> exportAlarmsTo(const AlarmEngine& engine, const QString& file, const QDateTime& now);
// Adds the alarms of an iCalendar file, all or none; answers the summary line.
ActionResult<QString> importAlarmsFrom(AlarmEngine& engine, const QString& file, const QDateTime& now);

// A key as typed ("12"); none for anything else.
std::optional<qint64> readKey(const QString& text);
QString unknownKeyText(const QString& key);

} // namespace orvane
