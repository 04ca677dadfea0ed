// Loading and changing the alarm table.
#include "alarm/AlarmModel.h"

#include "alarm/AlarmTable.h"
#include "common/Database.h"
#include "common/Log.h"

namespace orvane {

AlarmModel::AlarmModel(Database& db, QObject* parent) : QObject(parent), db_(db) {}

AlarmModel::~AlarmModel() {
    rows_ = AlarmRows();
    emit reset();
}

bool AlarmModel::LoadAlarmList() {
    std::optional<std::vector<StoredAlarm>> stored = readStoredAlarms(db_);
    stale_ = !stored;
    if (!stored) {
        qCWarning(lcStore) << "keeping the" << rows_.size()
                           << "alarms loaded before; the table is read again later";
        return false;
    }
    // Each alarm is cut when first read: at the start only the rows in view, the rest at the next scan.
    rows_ = AlarmRows(std::move(*stored));
    emit reset();
    emit alarmsChanged();
    return true;
}

const Alarm* AlarmModel::find(qint64 key) const {
    const int row = rows_.rowOf(key);
    return row < 0 ? nullptr : &rows_.at(row);
}

bool AlarmModel::refresh(qint64 key) {
    std::optional<StoredAlarm> stored = readStoredAlarm(db_, key);
    if (!stored) {
        qCWarning(lcStore) << "alarm" << key << "could not be read back; the table is read again";
        LoadAlarmList();
        return false;
    }
    const int row = rows_.rowOf(key);
    if (row < 0) {
        rows_.append(std::move(*stored));
        emit inserted(rows_.size() - 1);
    } else {
        rows_.replace(row, std::move(*stored));
        emit changed(row);
    }
    emit alarmsChanged();
    return true;
}

std::optional<qint64> AlarmModel::add(const AlarmTexts& texts) {
    if (!db_.execute(alarmsql::insert(), {texts.due, texts.ring, texts.prompt})) {
        qCWarning(lcStore) << "adding an alarm was refused:" << db_.lastError();
        return std::nullopt;
    }
    const qint64 key = db_.lastInsertId();
    refresh(key);
    return key;
}

bool AlarmModel::update(qint64 key, const AlarmTexts& texts) {
    if (!db_.execute(alarmsql::update(), {texts.due, texts.ring, texts.prompt, key}) || db_.changes() == 0) {
        qCWarning(lcStore) << "changing alarm" << key << "was refused:" << db_.lastError();
        return false;
    }
    refresh(key);
    return true;
}

bool AlarmModel::remove(qint64 key) {
    if (!db_.execute(alarmsql::deleteByKey(), {key})) {
        qCWarning(lcStore) << "deleting alarm" << key << "was refused:" << db_.lastError();
        return false;
    }
    if (const int row = rows_.rowOf(key); row >= 0) {
        rows_.erase(row);
        emit removed(row);
        emit alarmsChanged();
    }
    return true;
}

} // namespace orvane
