// Planning the next wake-up of a hidden window.
#include "alarm/WakePlan.h"

#include <algorithm>

namespace orvane {

namespace {
constexpr qint64 kLongestSleepMinutes = 15;
}

qint64 nextWakeMinute(qint64 now, std::optional<qint64> nextAlarm, std::optional<qint64> nextSnooze,
                      bool announcementOn) {
    qint64 wake = now + kLongestSleepMinutes;
    // A time already past (a put-off ring kept while the program was not running) is due now: the next
    // minute is the first that scans it.
    for (const std::optional<qint64>& at : {nextAlarm, nextSnooze})
        if (at)
            wake = std::min(wake, std::max(*at, now + 1));
    if (announcementOn)
        wake = std::min(wake, (now / 30 + 1) * 30); // the next hh:00 or hh:30 (a day is 48 half hours)
    return wake;
}

} // namespace orvane
