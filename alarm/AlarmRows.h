// The alarms of the model in table order, each cut from its stored texts only when first read.
#pragma once

#include "alarm/Alarm.h"

#include <memory>
#include <vector>

namespace orvane {

// A start with many alarms only paints the rows in view, and the scheduler reads the rest at its next
// scan: cutting every alarm's texts before the first picture would be work nobody waits for. The cut
// alarm is a cache of the stored texts, so reading it is const.
class AlarmRows {
public:
    AlarmRows() = default;
    explicit AlarmRows(std::vector<StoredAlarm> alarms);

    int size() const { return int(rows_.size()); }
    // The alarm of a row (0-based), cut at its first read.
    const Alarm& at(int row) const;
    qint64 keyAt(int row) const { return rows_[size_t(row)].key; }
    int rowOf(qint64 key) const; // -1 when no row has it

    void append(StoredAlarm stored);
    void replace(int row, StoredAlarm stored);
    void erase(int row);

private:
    struct Row {
        qint64 key = 0;
        mutable StoredAlarm stored;           // emptied once cut
        mutable std::unique_ptr<Alarm> alarm; // made at the first read
    };
    std::vector<Row> rows_;
};

} // namespace orvane
