// Scheduler rules.
#include "alarm/AlarmSchedule.h"

namespace orvane {

QString dueNowText(const QDateTime& now) {
    const QDate d = now.date();
    const QTime t = now.time();
    return QString::number(d.year()) + u'年' + QString::number(d.month()) + u'月' + QString::number(d.day()) +
           u'日' +
           QStringLiteral("%1时%2分")
               .arg(t.hour(), 2, 10, QLatin1Char('0'))
               .arg(t.minute(), 2, 10, QLatin1Char('0'));
}

bool repeatRulePasses(const QString& rule, const QString& todayWeekdayChar) {
    return rule == QStringLiteral("每天") ||
           (!todayWeekdayChar.isEmpty() && rule == QStringLiteral("星期") + todayWeekdayChar);
}

int ringCountFor(const QString& setting) {
    if (setting == QStringLiteral("无限重复"))
        return -1;
    if (setting == QStringLiteral("播放一次") || setting.isEmpty())
        return 1;
    if (setting == QStringLiteral("播放二次"))
        return 2;
    return 0;
}

qint64 MinuteGate::minuteKey(const QDateTime& t) {
    // Wall-clock minutes: a clock set back to an alarm's minute lets it fire again.
    return t.date().toJulianDay() * 1440 + t.time().hour() * 60 + t.time().minute();
}

bool MinuteGate::shouldScan(const QDateTime& now) {
    const qint64 key = minuteKey(now);
    if (key == lastMinute_)
        return false;
    lastMinute_ = key;
    return true;
}

} // namespace orvane
