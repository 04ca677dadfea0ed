// Filling the alarm table with many plausible alarms for the benchmarks.
#pragma once

#include "common/Database.h"

namespace orvane::bench {

// Adds count alarms to "配置" of an open alarm database in one transaction; false when a statement fails.
bool seedAlarms(Database& db, int count);

} // namespace orvane::bench
