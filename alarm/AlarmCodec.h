// The one reader and writer of the three stored texts of an alarm: values to texts for a save, texts to
// an alarm for ringing and showing (strict), texts to editor controls for modifying (lenient).
#pragma once

#include "alarm/Alarm.h"

#include <QDate>
#include <QStringView>

#include <optional>

namespace orvane {

// An alarm as the editor sets it.
struct AlarmValues {
    AlarmRule rule;
    QDate date;
    int hour = 0, minute = 0;
    bool ring = true;
    QString sound = QStringLiteral("默认"); // or a sound file
    bool popup = true;
    QString reminder;
    bool operator==(const AlarmValues&) const = default;
};

// "每天|2010年5月3日08时30分", "真|默认", "真|开会".
AlarmTexts encodeAlarm(const AlarmValues& values);

// Cuts the texts at their "|": a "|" typed into a path or a reminder text makes a third piece, whose cell
// then stays empty; a text with no piece reads as empty. The time is read strictly (see readDueText).
Alarm decodeAlarm(qint64 key, QStringView due, QStringView ring, QStringView prompt);
Alarm decodeAlarm(qint64 key, const AlarmTexts& texts);

// "2010年5月3日08时05分": the date without leading zeros, hour and minute as two digits.
QString dueText(qint64 minute);
// A due text read strictly: only the form dueText writes ("7时5分" or a zero-padded month is no time).
std::optional<qint64> readDueText(QStringView text);

// What the modify fill puts into the editor's controls; a missing value leaves its control at the
// layout content. The due text is read at the fixed places the editor writes it to: the date up to and
// including "日", the hour the two characters after it, the minute the two after the hour and "时".
struct EditorFill {
    std::optional<QString> rule;
    std::optional<QDate> date;
    std::optional<QString> hour, minute;
    std::optional<bool> ring;
    std::optional<QString> sound;
    std::optional<bool> popup;
    std::optional<QString> reminder;
};
EditorFill editorFill(const AlarmTexts& texts);

} // namespace orvane
