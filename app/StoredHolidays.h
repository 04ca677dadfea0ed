// The imported holiday file kept beside the database, and the table in force built from it.
#pragma once

#include "calendar/Holidays.h"
#include "platform/Paths.h"

#include <QByteArray>
#include <QString>

namespace orvane {

// "holidays.ics" in the folder of "dbtime.mdb".
QString storedHolidaysFile(const Paths& paths);
// Replaces the stored file in one step; false when it could not be written (the old one then stays).
bool storeHolidays(const Paths& paths, const QByteArray& text);
// Puts the carried table with the stored file's years in front in force. No file leaves the carried
// table; a file that cannot be read is logged and ignored.
void loadStoredHolidays(const Paths& paths);

} // namespace orvane
