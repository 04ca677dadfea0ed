// Reading the alarm table.
#include "alarm/AlarmTable.h"

namespace orvane {

AlarmRecord alarmRecordFrom(const RecordSet& rs) {
    return {rs.integer(QStringLiteral("编号")), rs.text(QStringLiteral("提醒时间")),
            rs.text(QStringLiteral("铃声位置")), rs.text(QStringLiteral("提示文本"))};
}

std::vector<AlarmRecord> readAlarmRecords(Database& db) {
    std::vector<AlarmRecord> records;
    RecordSet rs = db.query(alarmsql::selectAll());
    for (rs.first(); !rs.atEnd(); rs.next())
        records.push_back(alarmRecordFrom(rs));
    rs.close();
    return records;
}

} // namespace orvane
