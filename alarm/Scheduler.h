// The once-a-second alarm check: in the first tick of each new minute it finds every alarm due in the
// minutes since the last check, and every put-off ring whose minute has come, and says so.
#pragma once

#include "alarm/FiredAlarm.h"
#include "alarm/MinuteWindow.h"

#include <QObject>

namespace orvane {

class AlarmModel;
class SkipStore;
class SnoozeStore;

class Scheduler : public QObject {
    Q_OBJECT
public:
    // The minute the program started in is never scanned. Put-off rings, when a store of them is given,
    // ring in the same scans; a ring the user skipped is taken from its store instead of ringing.
    Scheduler(qint64 startMinute, const AlarmModel& model, SnoozeStore* snoozes = nullptr,
              SkipStore* skips = nullptr, QObject* parent = nullptr);

    // The tick handler: scans when `now` is in a minute not scanned yet.
    void AlarmScheduler(const QDateTime& now);

signals:
    // In the order they were due; those of one minute in list order.
    void fired(const orvane::FiredAlarm& alarm);

private:
    const AlarmModel& model_;
    SnoozeStore* snoozes_;
    SkipStore* skips_;
    MinuteWindow window_;
};

} // namespace orvane
