// Statements on the alarm table "配置"; keys and texts are bound parameters.
#pragma once

#include "alarm/AlarmRecord.h"
#include "common/Database.h"

#include <vector>

namespace orvane {

namespace alarmsql {
inline QString selectAll() {
    return QStringLiteral("select * from [配置]");
}
inline QString selectByKey() {
    return QStringLiteral("select * from [配置] where [编号]=?");
}
inline QString deleteByKey() {
    return QStringLiteral("delete from [配置] where [编号]=?");
}
inline QString insert() {
    return QStringLiteral("insert into [配置] ([提醒时间],[铃声位置],[提示文本]) values (?,?,?)");
}
inline QString update() {
    return QStringLiteral("update [配置] set [提醒时间]=?,[铃声位置]=?,[提示文本]=? where [编号]=?");
}
} // namespace alarmsql

// Every row of "配置" in the order the query returns them.
std::vector<AlarmRecord> readAlarmRecords(Database& db);
// The same with the texts left as stored, for the list load (decoding is most of the reading).
std::vector<StoredAlarm> readStoredAlarms(Database& db);
AlarmRecord alarmRecordFrom(const RecordSet& rs);

} // namespace orvane
