// What the hourly chime says: the clip sequence for a number and for a time of day, as plain functions.
#pragma once

#include "alarm/ChimeClips.h"

#include <QList>
#include <QTime>

namespace orvane::chime {

// A number 0 to 59 in digit words, from its last two decimal digits: 0 says nothing, 5 "zero five",
// 10 "ten", 15 "ten five", 30 "three ten", 59 "five ten nine". A negative number says nothing.
QList<Clip> SpeakNumber(int n);

// The whole announcement for a time: intro, lead-in, the hour and its unit, then
//   hh:00:00  the closing;
//   hh:30:00  the minutes (thirty), their unit, the closing;
//   hh:00:ss and hh:30:ss with ss not 0: nothing at all (an empty list);
//   any other time: minutes, their unit, seconds, their unit, the closing.
// A unit is said even when its number says nothing (hour 0, second 0).
QList<Clip> AnnounceTime(const QTime& time);

} // namespace orvane::chime
