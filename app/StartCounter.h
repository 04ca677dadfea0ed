// The start counter in the table "登陆次数".
#pragma once

#include "common/Database.h"

#include <QString>

namespace orvane {

// Reads the counter of the first row, writes counter + 1 into every row and returns it. A table
// without a row counts as 0 and gets its first row here.
qint64 CountStart(Database& db);
QString startCounterText(qint64 count); // "当前已使用：6次"

} // namespace orvane
