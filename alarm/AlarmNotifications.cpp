// A notification per ringing alarm: sent when its turn begins, taken away when it ends.
#include "alarm/AlarmNotifications.h"

#include "alarm/AlarmRinger.h"
#include "platform/Notifier.h"

namespace orvane {

AlarmNotifications::AlarmNotifications(AlarmRinger& ringer, Notifier& notifier, QObject* parent)
    : QObject(parent), ringer_(ringer), notifier_(notifier) {
    connect(&ringer_, &AlarmRinger::started, this, [this](const FiredAlarm& alarm, const QString& soundLine) {
        // A ring nobody can hear says so here too, under the reminder.
        QString body = alarm.alarm.reminder;
        if (alarm.alarm.rings() && soundLine != alarm.alarm.sound)
            body += u'\n' + soundLine;
        shown_ = notifier_.notify(alarm.dueLine(), body,
                                  {{QStringLiteral("stop"), QStringLiteral("停止播放")},
                                   {QStringLiteral("snooze"), QStringLiteral("稍后提醒")}});
    });
    connect(&ringer_, &AlarmRinger::ended, this, [this] { notifier_.close(std::exchange(shown_, 0)); });
    connect(&notifier_, &Notifier::actionInvoked, this, [this](quint64 handle, const QString& key) {
        // A button of an earlier alarm's notification, still on screen somewhere, acts on nothing.
        if (handle == 0 || handle != shown_)
            return;
        if (key == u"stop")
            ringer_.StopRing();
        else if (key == u"snooze")
            ringer_.Snooze();
    });
}

} // namespace orvane
