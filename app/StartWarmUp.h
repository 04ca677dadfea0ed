// Start-up work done on the second core while Qt starts and the window is made.
#pragma once

#include "alarm/AlarmRecord.h"

#include <QString>

#include <optional>
#include <thread>
#include <vector>

namespace orvane {

// Made first thing in main(), it reads the system's font configuration (the first text the window
// measures would otherwise wait for it: a third of the start), then the stored alarms, cut into the
// cells of the alarm lists. The destructor waits for the thread, so nothing outlives main().
class StartWarmUp {
public:
    // alarmDatabase: the file the start-up will open; empty for the fonts only.
    explicit StartWarmUp(const QString& alarmDatabase = {});
    ~StartWarmUp();
    StartWarmUp(const StartWarmUp&) = delete;
    StartWarmUp& operator=(const StartWarmUp&) = delete;

    // The alarms as list rows, when the file was there, ours, at this program's schema version and read
    // to its end; otherwise nothing, and the start-up reads them itself. Waits for the thread; the rows
    // are handed out once.
    std::optional<std::vector<AlarmListRow>> takeAlarmRows();

private:
    std::thread thread_;
    std::optional<std::vector<AlarmListRow>> rows_;
};

// The alarm rows of a database file that is present, ours and current, read without writing anything
// or waiting for a lock; nothing otherwise (what StartWarmUp does after the fonts).
std::optional<std::vector<AlarmListRow>> prefetchAlarmRows(const QString& alarmDatabase);

} // namespace orvane
