// What a day is called: its statutory holiday or make-up workday, its traditional festival, its solar term.
#pragma once

#include "calendar/Holidays.h"

#include <QDate>
#include <QString>

namespace orvane {

// One line each, when present: "国庆节 放假" / "国庆节 调休上班", the festival of the lunar date ("中秋"),
// the solar term falling on the day ("冬至"). Empty for an ordinary day.
QString dayNamesText(QDate date, const HolidayTable& table = holidayTable());

} // namespace orvane
