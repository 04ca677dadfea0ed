// Loading and changing the alarm table.
#include "alarm/AlarmModel.h"

#include "alarm/AlarmTable.h"
#include "common/Database.h"
#include "common/Log.h"

namespace orvane {

AlarmModel::AlarmModel(Database& db, QObject* parent)
    : QObject(parent), db_(db), rows_(std::make_shared<AlarmRows>(std::vector<StoredAlarm>())) {}

void AlarmModel::LoadAlarmList() {
    // The texts are read as stored; each alarm is cut when first read: at the start only the rows in
    // view, the rest at the scheduler's next scan.
    rows_ = std::make_shared<AlarmRows>(readStoredAlarms(db_));
    emit reloaded();
}

std::optional<AlarmRecord> AlarmModel::read(const QVariant& key) {
    RecordSet rs = db_.query(alarmsql::selectByKey(), {key});
    if (!rs.first())
        return std::nullopt;
    AlarmRecord record{rs.integer(QStringLiteral("编号")), rs.text(QStringLiteral("提醒时间")),
                       rs.text(QStringLiteral("铃声位置")), rs.text(QStringLiteral("提示文本"))};
    rs.close();
    return record;
}

bool AlarmModel::add(const AlarmTexts& texts) {
    if (!db_.execute(alarmsql::insert(), {texts.due, texts.ring, texts.prompt})) {
        qCWarning(lcStore) << "adding an alarm was refused:" << db_.lastError();
        return false;
    }
    LoadAlarmList();
    return true;
}

bool AlarmModel::update(const QVariant& key, const AlarmTexts& texts) {
    if (!db_.execute(alarmsql::update(), {texts.due, texts.ring, texts.prompt, key}) || db_.changes() == 0) {
        qCWarning(lcStore) << "changing alarm" << key << "was refused:" << db_.lastError();
        return false;
    }
    LoadAlarmList();
    return true;
}

void AlarmModel::remove(const QList<qint64>& keys) {
    for (qint64 key : keys)
        if (!db_.execute(alarmsql::deleteByKey(), {key}))
            qCWarning(lcStore) << "deleting alarm" << key << "was refused:" << db_.lastError();
    LoadAlarmList();
}

} // namespace orvane
