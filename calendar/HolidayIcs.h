// Reading holiday tables from iCalendar files shaped like the published holiday calendars.
#pragma once

#include "calendar/Holidays.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace orvane {

// All-day events, DTEND exclusive (one day when absent), SUMMARY "春节(休)" for days off and "国庆节(班)"
// for make-up workdays. Anything else that cannot be read gives no table and, in *error (may be null),
// "节假日文件格式错误（第 n 行）" with the first line of the offending part.
std::optional<HolidayTable> parseHolidayIcs(const QByteArray& text, QString* error);

// The years a table covers, as the import reports them: "2026、2027年".
QString holidayYearsText(const HolidayTable& table);

} // namespace orvane
