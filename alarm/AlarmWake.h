// Keeps the machine's wake-up time one minute before the next alarm while "唤醒电脑响铃" is on.
#pragma once

#include <QDateTime>
#include <QObject>

namespace orvane {

class AlarmEngine;
class Clock;
class SystemSettings;
class WakeAlarm;

// Re-aims at every change of the engine's plan (an edit, a ring, a put-off ring, a setting) and after a
// resume; the same time is never asked twice, since asking may run a privileged helper.
class AlarmWake : public QObject {
    Q_OBJECT
public:
    AlarmWake(AlarmEngine& engine, WakeAlarm& wake, const SystemSettings& settings, const Clock& clock,
              QObject* parent = nullptr);

    void rearm();
    // The time asked for last; invalid when none stands.
    QDateTime armedAt() const { return armedAt_; }

private:
    AlarmEngine& engine_;
    WakeAlarm& wake_;
    const SystemSettings& settings_;
    const Clock& clock_;
    QDateTime armedAt_;
};

} // namespace orvane
