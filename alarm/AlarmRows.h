// The alarms of one load, cut from their stored texts only when an alarm is first read.
#pragma once

#include "alarm/Alarm.h"

#include <memory>
#include <vector>

namespace orvane {

// Shared by the model and its list views. A start with many alarms only paints the rows in view, and
// the scheduler reads the rest at its next scan: cutting every alarm's texts before the first picture
// would be work nobody waits for.
class AlarmRows {
public:
    explicit AlarmRows(std::vector<StoredAlarm> alarms);

    int size() const { return int(stored_.size()); }
    // The alarm of a row (0-based), cut at the first read.
    const Alarm& at(int row);

private:
    // Alarms are kept in blocks of rows, each made at the first cut of a row of it: a start that paints
    // ten rows makes one block, and a scan of every row finds the alarms close together.
    static constexpr int blockRows = 64;
    std::vector<StoredAlarm> stored_; // emptied row by row as cut
    std::vector<std::unique_ptr<Alarm[]>> blocks_;
    std::vector<bool> cut_;
};

} // namespace orvane
