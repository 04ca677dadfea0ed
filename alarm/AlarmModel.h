// The alarms of the table "配置" in memory: loaded whole, changed only through here, and every change
// followed by a reload that the list views follow.
#pragma once

#include "alarm/AlarmRows.h"

#include <QObject>
#include <QVariant>

#include <memory>
#include <optional>

namespace orvane {

class Database;

class AlarmModel : public QObject {
    Q_OBJECT
public:
    explicit AlarmModel(Database& db, QObject* parent = nullptr);

    // Re-reads the whole table (the rows come in the order the query gives them) and says so.
    void LoadAlarmList();

    int size() const { return rows_->size(); }
    // Cut from the stored texts at the first read.
    const Alarm& at(int row) const { return rows_->at(row); }
    // The rows of the last load, shared with the views that show them.
    const std::shared_ptr<AlarmRows>& rows() const { return rows_; }

    // One row as stored, straight from the table; none when no row has the key.
    std::optional<AlarmRecord> read(const QVariant& key);
    // Each reloads after a successful write; false when the database refused it (or, for an update,
    // when no row has the key any more, say after the automatic delete).
    bool add(const AlarmTexts& texts);
    bool update(const QVariant& key, const AlarmTexts& texts);
    // Deletes the rows and reloads whatever the database said: a refused delete shows the row again.
    void remove(const QList<qint64>& keys);

signals:
    void reloaded();

private:
    Database& db_;
    std::shared_ptr<AlarmRows> rows_;
};

} // namespace orvane
