// When a program with nothing on screen that moves must next wake up: the minute of the next alarm,
// put-off ring or announcement, and never later than a quarter of an hour ahead.
#pragma once

#include <QtGlobal>

#include <optional>

namespace orvane {

// The wall-clock minute to wake in, after nowMinute. The quarter-hour cap keeps a long sleep of the
// timer (which counts in monotonic time) from drifting from the wall clock, which may be slewed.
qint64 nextWakeMinute(qint64 nowMinute, std::optional<qint64> nextAlarm, std::optional<qint64> nextSnooze,
                      bool announcementOn);

} // namespace orvane
