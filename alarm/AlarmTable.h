// The alarm table "配置": its schema and statements (keys and texts are bound parameters), and reading it.
#pragma once

#include "alarm/AlarmRecord.h"
#include "common/Database.h"

#include <QVariant>

#include <optional>
#include <vector>

namespace orvane {

namespace alarmsql {
inline QString createTable() {
    return QStringLiteral("CREATE TABLE [配置] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, "
                          "[提醒时间] TEXT(100), [铃声位置] TEXT(100), [提示文本] TEXT);");
}
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

// Every row of "配置" in the order the query returns them, with the texts left as stored (decoding is
// most of the reading); none when the read failed (the file busy, an I/O error), never a shorter list.
std::optional<std::vector<StoredAlarm>> readStoredAlarms(Database& db);
// One row, as stored; none when no row has the key or the read failed.
std::optional<StoredAlarm> readStoredAlarm(Database& db, qint64 key);
// Every row decoded (tests and tools); empty when the read failed.
std::vector<AlarmRecord> readAlarmRecords(Database& db);

} // namespace orvane
