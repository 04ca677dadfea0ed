// Rings put off by "稍后提醒": kept in the table "稍后提醒" beside the alarms, so that they survive a
// restart of the program, and handed back when their minute has come.
#pragma once

#include "alarm/FiredAlarm.h"

#include <optional>
#include <vector>

namespace orvane {

class Database;

namespace snoozesql {
inline QString createTable() {
    return QStringLiteral(
        "CREATE TABLE [稍后提醒] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [响铃时间] TEXT, "
        "[闹钟编号] INTEGER, [提醒时间] TEXT, [铃声位置] TEXT, [提示文本] TEXT);");
}
} // namespace snoozesql

// The minutes "稍后提醒" waits: key "稍后提醒分钟" of "系统配置", "5", "10" or "15"; 5 for anything else.
int snoozeMinutesFor(const QString& setting);

class SnoozeStore {
public:
    explicit SnoozeStore(Database& db) : db_(db) {}

    // Keeps the alarm to ring again in the given wall-clock minute; false when it could not be stored.
    bool add(const Alarm& alarm, qint64 minute);
    // The put-off rings due up to the minute (those whose minute passed while the program was not
    // running too, marked late), each handed out once: it leaves the table here.
    std::vector<FiredAlarm> takeDue(qint64 minute);
    // The earliest minute one is due in.
    std::optional<qint64> next();

private:
    Database& db_;
};

} // namespace orvane
