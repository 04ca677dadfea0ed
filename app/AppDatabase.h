// The alarm database file "dbtime.mdb": created with its three tables when missing, opened and checked.
#pragma once

#include "common/Database.h"

#include <QString>

namespace orvane {

// The schema version kept in PRAGMA user_version.
constexpr int kSchemaVersion = 2;

// Creates the file with the tables "配置", "稍后提醒", "记事本" and "登陆次数" (counter row 0) when it does
// not exist.
// The new database is built beside the target and renamed into place, so a crash leaves no half file.
// False when the file is missing and cannot be made.
bool ensureDatabaseFile(const QString& path);

enum class DatabaseOpen {
    Opened,
    Busy,    // another program holds the file (a backup, a database browser): try again later
    NotOurs, // not a database, or not one of this program: left byte for byte as it was
};
// Opens the file and checks that it holds our tables and a schema version this program knows, waiting
// up to `busyWaitMs` for another program's lock. The connection stays closed unless Opened; once open,
// a statement waits up to two seconds for a lock.
DatabaseOpen openAlarmDatabase(Database& db, const QString& path, int busyWaitMs = 2000);

} // namespace orvane
