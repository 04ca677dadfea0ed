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

// Opens the file and checks that it holds our tables and a schema version this program knows.
// A file that is not ours (or not a database) is left byte for byte as it was and gives false.
bool openAlarmDatabase(Database& db, const QString& path);

} // namespace orvane
