// The alarms of the table "配置" in memory: loaded whole, changed only through here, each change made to
// the database first and then to the one row it touched, which the list views follow row by row.
#pragma once

#include "alarm/AlarmRows.h"

#include <QObject>

#include <optional>

namespace orvane {

class Database;

class AlarmModel : public QObject {
    Q_OBJECT
public:
    explicit AlarmModel(Database& db, QObject* parent = nullptr);
    // Views read the rows when they draw: a model that goes before its views empties them first.
    ~AlarmModel() override;

    // Re-reads the whole table (the rows in the order the query gives them). False when the read failed:
    // the alarms loaded before stay, since a busy or failing file says nothing of what it holds.
    bool LoadAlarmList();
    // Whether the last load failed, so the table is still to be read.
    bool stale() const { return stale_; }

    int size() const { return rows_.size(); }
    const Alarm& at(int row) const { return rows_.at(row); }
    qint64 keyAt(int row) const { return rows_.keyAt(row); }
    int rowOf(qint64 key) const { return rows_.rowOf(key); }
    const Alarm* find(qint64 key) const;

    // Each writes, then reads back the one row it changed. None / false when the database refused the
    // write (for an update also when no row has the key any more); nothing in memory changes then.
    std::optional<qint64> add(const AlarmTexts& texts);
    bool update(qint64 key, const AlarmTexts& texts);
    // True when no row has the key afterwards.
    bool remove(qint64 key);

signals:
    void reset();           // every row is new (a load)
    void inserted(int row); // one row added at `row`
    void changed(int row);  // the alarm of `row` was written anew
    void removed(int row);  // the row was taken out; the rows after it moved up
    void alarmsChanged();   // after each of the above

private:
    // Reads the row of `key` back after a write; false when it could not be read (the whole table is
    // then read again).
    bool refresh(qint64 key);

    Database& db_;
    AlarmRows rows_;
    bool stale_ = false;
};

} // namespace orvane
