// The date calculator's arithmetic: shifting a date-time by whole units, intervals between two, and
// the six field texts the calculator reads and writes.
#pragma once

#include "common/OleDateTime.h"

#include <QString>
#include <QStringList>

namespace orvane {

// Unit codes carried by the calculator's unit lists.
enum DateUnit : int {
    kUnitYears = 1,
    kUnitMonths = 3,
    kUnitDays = 5,
    kUnitHours = 6,
    kUnitMinutes = 7,
    kUnitSeconds = 8
};

// T shifted by `amount` units: years and months keep the day (cut to the month's length) and the time
// of day; days, hours, minutes and seconds carry. The result stays inside the date-time range. An
// unknown unit leaves T unchanged.
OleDateTime AddToDate(const OleDateTime& t, qint64 amount, int unit);
// The interval from t2 to t1 in `unit`, positive when t1 is later: years and months count calendar
// boundaries, days keep their fraction, hours, minutes and seconds are whole (half a second in days
// is added away from zero before truncating). 0 for an unknown unit.
double DateDifference(const OleDateTime& t1, const OleDateTime& t2, int unit);

// Six texts year … second read as "Y年M月D日h时m分s秒" (full-width digits, empty time fields as 0);
// anything invalid reads as 100-01-01 00:00:00.
OleDateTime readDateFields(const QStringList& fields);
// The six field texts of the text form of t: the fields the form leaves out are empty.
QStringList dateFieldTexts(const OleDateTime& t);
// The amount typed for a shift: the leading number (full-width digits too) truncated toward zero.
qint64 readAmount(const QString& text);
// "日期相差" + the interval as "%.13g" + the unit's text.
QString differenceMessage(double interval, const QString& unitText);

} // namespace orvane
