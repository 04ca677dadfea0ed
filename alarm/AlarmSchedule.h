// The scheduler's rules as plain functions: the due-now text, the repeat rule, the ring count, and
// which tick scans the list.
#pragma once

#include <QDateTime>
#include <QString>

namespace orvane {

// "2010年5月3日08时05分": the date without leading zeros, hour and minute as two digits.
QString dueNowText(const QDateTime& now);
// "每天" always passes; "星期" + weekday character passes on that weekday only.
bool repeatRulePasses(const QString& rule, const QString& todayWeekdayChar);
// "无限重复" -1, "播放一次" 1, "播放二次" 2; a count never chosen (empty) rings once; anything else 0.
int ringCountFor(const QString& setting);

// Lets the scan run in the first tick of each new minute (normally second 0, but a late tick still
// counts), never in the minute the program started in.
class MinuteGate {
public:
    explicit MinuteGate(const QDateTime& start) : lastMinute_(minuteKey(start)) {}
    bool shouldScan(const QDateTime& now);

private:
    static qint64 minuteKey(const QDateTime& t);
    qint64 lastMinute_;
};

} // namespace orvane
