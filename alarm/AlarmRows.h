// The alarms of one list load, cut into their list cells only when a cell is first read.
#pragma once

#include "alarm/AlarmRecord.h"

#include <memory>
#include <vector>

namespace orvane {

// Shared by the shown list's rows and the two hidden lists. A start with many alarms only paints the
// rows in view, and the scheduler reads the rest at its next scan: cutting every alarm's texts before
// the first picture would be work nobody waits for.
class AlarmRows {
public:
    explicit AlarmRows(std::vector<StoredAlarm> alarms);

    int size() const { return int(stored_.size()); }
    // The cells of a row (0-based; the shown number counts from 1), cut at the first read.
    const AlarmListRow& cells(int row);

private:
    // Cells are kept in blocks of rows, each made at the first cut of a row of it: a start that paints
    // ten rows makes one block, and a scan of every row finds the cells' texts close together.
    static constexpr int blockRows = 64;
    std::vector<StoredAlarm> stored_;                     // emptied row by row as cut
    std::vector<std::unique_ptr<AlarmListRow[]>> blocks_; // a cut row always has its number
};

} // namespace orvane
