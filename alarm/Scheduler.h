// The once-a-second alarm check: in the first tick of each new minute it finds every alarm due in the
// minutes since the last check, says so, and deletes them afterwards when the settings ask for that.
#pragma once

#include "alarm/FiredAlarm.h"
#include "alarm/MinuteWindow.h"

#include <QObject>

namespace orvane {

class AlarmModel;
class Clock;
class SnoozeStore;
struct Paths;

class Scheduler : public QObject {
    Q_OBJECT
public:
    // The minute of construction (the program's start) is never scanned. Put-off rings, when a store
    // of them is given, ring in the same scans.
    Scheduler(const Clock& clock, AlarmModel& model, const Paths& paths, SnoozeStore* snoozes = nullptr,
              QObject* parent = nullptr);

    void AlarmScheduler(); // the tick handler

signals:
    // In the order they were due; those of one minute in list order.
    void fired(const orvane::FiredAlarm& alarm);

private:
    const Clock& clock_;
    AlarmModel& model_;
    const Paths& paths_;
    SnoozeStore* snoozes_;
    MinuteWindow window_;
};

} // namespace orvane
