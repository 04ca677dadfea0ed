// Rings put off by "稍后提醒": kept in the table "稍后提醒" beside the alarms, so that they survive a
// restart of the program, shown with their alarm, cancelled with it, and handed back in their minute.
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

class SnoozeStore {
public:
    explicit SnoozeStore(Database& db) : db_(db) {}

    // Reads the table; the put-off rings are then known without asking it again. False when it could
    // not be read (the rings stay in the table and are read at the next load).
    bool load();
    // Keeps the alarm, texts as stored, to ring again in the given wall-clock minute. False when the
    // table refused it: it then rings all the same, unless the program ends first.
    bool add(const Alarm& alarm, qint64 minute);
    // The put-off rings due up to the minute (those whose minute passed while the program was not
    // running too, marked late), each handed out once: it leaves the table here.
    std::vector<FiredAlarm> takeDue(qint64 minute);
    // Cancels the put-off rings of an alarm; true when none is left.
    bool cancel(qint64 alarmKey);
    // The earliest minute one is due in; of all, or of one alarm.
    std::optional<qint64> next() const;
    std::optional<qint64> nextOf(qint64 alarmKey) const;

private:
    struct Pending {
        qint64 row = 0;   // its key in the table; 0 for one the table refused, kept here for this run
        qint64 alarm = 0; // the alarm's key
        qint64 minute = 0;
        std::optional<Alarm> unstored; // the alarm of a ring the table refused
    };
    Database& db_;
    std::vector<Pending> pending_;
};

} // namespace orvane
