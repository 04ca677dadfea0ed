// Each ringing alarm also as a desktop notification, whose buttons stop or put off the ring: seen on
// Wayland, over full-screen programs and on a locked session, where the reminder window may not be.
#pragma once

#include <QObject>

namespace orvane {

class AlarmRinger;
class Notifier;

class AlarmNotifications : public QObject {
    Q_OBJECT
public:
    AlarmNotifications(AlarmRinger& ringer, Notifier& notifier, QObject* parent = nullptr);

private:
    AlarmRinger& ringer_;
    Notifier& notifier_;
    quint64 shown_ = 0; // the notification of the alarm whose turn it is
};

} // namespace orvane
