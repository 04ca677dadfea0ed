// Reading the alarm table.
#include "alarm/AlarmTable.h"

namespace orvane {

QVariant keyParameter(const QString& key) {
    const std::optional<qint64> value = rowKey(key);
    return value ? QVariant(*value) : QVariant(key);
}

std::vector<StoredAlarm> readStoredAlarms(Database& db) {
    std::vector<StoredAlarm> alarms;
    RecordSet rs = db.query(alarmsql::selectAll());
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
    rs.close();
    return alarms;
}

std::vector<AlarmRecord> readAlarmRecords(Database& db) {
    std::vector<AlarmRecord> records;
    for (const StoredAlarm& alarm : readStoredAlarms(db))
        records.push_back(alarm.decoded());
    return records;
}

} // namespace orvane
