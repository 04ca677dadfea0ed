// The once-a-second alarm check: at the first tick of each minute it fires the first due alarm of the
// list: reminder window, ring, and the automatic delete.
#pragma once

#include "alarm/AlarmLists.h"
#include "alarm/AlarmSchedule.h"
#include "alarm/ReminderWindow.h"

#include <QObject>
#include <QPointer>

namespace orvane {

class Clock;
class Database;
class SoundPlayer;
struct Paths;

class Scheduler : public QObject {
    Q_OBJECT
public:
    struct Deps {
        const Clock* clock;
        SoundPlayer* sound;
        Database* database;
        const Paths* paths;
        const AlarmLists* lists;
        int* firedRow;                   // shared with the reminder window
        const QString* todayWeekdayChar; // renewed by the main window when the date changes
    };
    // The minute of construction (the program's start) is never scanned.
    Scheduler(const Deps& deps, QObject* parent = nullptr);
    ~Scheduler() override;

    void AlarmScheduler(); // the tick handler
    ReminderWindow* reminder() const { return reminder_; }

private:
    void fire(int row);
    Deps d_;
    MinuteGate gate_;
    QPointer<ReminderWindow> reminder_;
};

} // namespace orvane
