// Reading the alarm table.
#include "alarm/AlarmTable.h"

#include "common/Log.h"

namespace orvane {

namespace {

// The rows a query gives, or none when it failed.
std::optional<std::vector<StoredAlarm>> readRows(Database& db, const QString& sql,
                                                 const QVariantList& params) {
    RecordSet rs = db.query(sql, params);
    if (!rs.isValid()) {
        qCWarning(lcStore) << "the alarms could not be read:" << db.lastError();
        return std::nullopt;
    }
    std::vector<StoredAlarm> alarms;
    // The columns are looked up once: the load reads every alarm at each start.
    const int key = rs.column(QStringLiteral("编号")), due = rs.column(QStringLiteral("提醒时间")),
              ring = rs.column(QStringLiteral("铃声位置")), prompt = rs.column(QStringLiteral("提示文本"));
    for (rs.first(); !rs.atEnd(); rs.next()) {
        const QByteArrayView d = rs.textBytes(due), r = rs.textBytes(ring), p = rs.textBytes(prompt);
        StoredAlarm& alarm = alarms.emplace_back();
        alarm.key = rs.integer(key);
        alarm.texts.reserve(d.size() + r.size() + p.size());
        alarm.texts.append(d).append(r).append(p);
        alarm.dueEnd = d.size();
        alarm.ringEnd = d.size() + r.size();
    }
    if (rs.failed()) {
        qCWarning(lcStore) << "reading the alarms stopped after" << alarms.size()
                           << "rows:" << rs.errorText();
        return std::nullopt;
    }
    return alarms;
}

} // namespace

std::optional<std::vector<StoredAlarm>> readStoredAlarms(Database& db) {
    return readRows(db, alarmsql::selectAll(), {});
}

std::optional<StoredAlarm> readStoredAlarm(Database& db, qint64 key) {
    std::optional<std::vector<StoredAlarm>> rows = readRows(db, alarmsql::selectByKey(), {key});
    if (!rows || rows->empty())
        return std::nullopt;
    return std::move(rows->front());
}

std::vector<AlarmRecord> readAlarmRecords(Database& db) {
    std::vector<AlarmRecord> records;
    for (const StoredAlarm& alarm : readStoredAlarms(db).value_or(std::vector<StoredAlarm>()))
        records.push_back(alarm.decoded());
    return records;
}

} // namespace orvane
