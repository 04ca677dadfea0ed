// Rings the user chose to skip ("跳过下次"): one per alarm, kept in the table "跳过响铃" so that a skip
// survives a restart, and taken when its minute comes instead of ringing.
#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace orvane {

class Database;

namespace skipsql {
// Made when missing, without a step of the schema version: older versions open the file and leave it alone.
inline QString createTable() {
    return QStringLiteral("CREATE TABLE IF NOT EXISTS [跳过响铃] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, "
                          "[闹钟编号] INTEGER, [响铃时间] TEXT);");
}
} // namespace skipsql

class SkipStore {
public:
    explicit SkipStore(Database& db) : db_(db) {}

    // Reads the table, dropping skips of minutes before `nowMinute` (they passed while the program was
    // not running). False when it could not be read.
    bool load(qint64 nowMinute);
    // Skips the alarm's ring in `minute` (in place of an earlier skip of it); false when it could not be
    // stored.
    bool skip(qint64 alarmKey, qint64 minute);
    // Brings the skipped ring back (also when its alarm is changed or deleted); true when none is left.
    bool restore(qint64 alarmKey);
    std::optional<qint64> skipped(qint64 alarmKey) const;
    // True, and the skip used up, when the alarm's ring in `minute` is the skipped one.
    bool take(qint64 alarmKey, qint64 minute);
    // Drops the skips of minutes before `minute`: passed without a scan (the program's first minute, a
    // clock set forward), they would only linger.
    void dropBefore(qint64 minute);

private:
    Database& db_;
    QHash<qint64, qint64> skips_; // alarm key → minute
};

} // namespace orvane
