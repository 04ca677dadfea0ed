// The alarm table "配置": its schema and statements (keys and texts are bound parameters), and reading it.
#pragma once

#include "alarm/AlarmRecord.h"
#include "common/Database.h"

#include <QVariant>

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

// A key as the lists show it, bound as an integer; a text that is not one is bound as it stands and
// matches nothing.
QVariant keyParameter(const QString& key);

// Every row of "配置" in the order the query returns them.
std::vector<AlarmRecord> readAlarmRecords(Database& db);
// The same with the texts left as stored, for the model's load (decoding is most of the reading).
std::vector<StoredAlarm> readStoredAlarms(Database& db);

} // namespace orvane
