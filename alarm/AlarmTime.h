// When an alarm rings: its repeat rule and stored due text read into wall-clock minutes, and the
// due-now text of a minute.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace orvane {

// A wall-clock minute as one number: the local date's Julian day × 1440 + the minute of the day. Local
// minutes, not instants: an alarm set for 08:30 rings when the clock on the wall says 08:30.
qint64 minuteKey(const QDateTime& local);
qint64 minuteKey(QDate date, int minuteOfDay);
// "2010年5月3日08时05分": the date without leading zeros, hour and minute as two digits.
QString dueNowText(const QDateTime& now);
QString dueText(qint64 minuteKey);

// The rules offered in the editor, in their order: "每天", "星期一" … "星期日", "仅一次".
QStringList repeatRuleItems();

enum class Repeat : quint8 {
    Never,  // a rule or due text the program does not know: it never rings (as typed texts never matched)
    Once,   // "仅一次": on its stored date only
    Daily,  // "每天": every day from its stored date on
    Weekly, // "星期X": every such weekday from its stored date on
};

struct AlarmTime {
    Repeat repeat = Repeat::Never;
    quint8 weekday = 0;     // 1 Monday … 7 Sunday, for Weekly
    qint16 minuteOfDay = 0; // hour × 60 + minute of the stored due text
    qint64 firstDay = 0;    // Julian day of the stored date: the first day it may ring

    bool ringsAt(qint64 minuteKey) const;
    // The first minute at or after `from` in which it rings; none when it never rings again.
    std::optional<qint64> nextAt(qint64 from) const;
    bool operator==(const AlarmTime&) const = default;
};

// The rule (piece 1 of 提醒时间) and the due text (piece 2) read strictly: only the form the editor
// writes counts ("2010年5月3日08时05分"; "7时5分" or a zero-padded month is no time at all).
AlarmTime alarmTime(QStringView rule, QStringView dueText);

// The tooltip of a listed alarm: "下次响铃：2026年12月8日08时30分", or "不会再响铃".
QString nextRingText(const AlarmTime& time, const QDateTime& now);

} // namespace orvane
