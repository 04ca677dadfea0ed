// The alarms of one list load, cut into their list cells only when a cell is first read.
#pragma once

#include "alarm/AlarmRecord.h"

#include <vector>

namespace orvane {

// Shared by the shown list's rows and the two hidden lists. A start with many alarms only paints the
// rows in view, and the scheduler's first scan reads the rest a minute later: cutting every alarm's
// texts before the first picture would be work nobody waits for.
class AlarmRows {
public:
    explicit AlarmRows(std::vector<StoredAlarm> alarms);

    int size() const { return int(slots_.size()); }
    // The cells of a row (0-based; the shown number counts from 1), cut at the first read.
    const AlarmListRow& cells(int row);

private:
    struct Slot {
        StoredAlarm stored; // emptied once cut
        AlarmListRow cells;
        bool isCut = false;
    };
    std::vector<Slot> slots_;
};

} // namespace orvane
