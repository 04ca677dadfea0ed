// Advancing the scanned minutes across late ticks, jumps forward and clocks set back.
#include "alarm/MinuteWindow.h"

#include <algorithm>
#include <iterator>

namespace orvane {

MinuteWindow::Range MinuteWindow::advance(qint64 now) {
    if (now == last_)
        return {now, now};
    if (now < last_) {
        // The clock was set back: this minute is looked at again (an alarm that has not rung in it may
        // ring), later ones as they come; what has rung stays rung. A record far ahead of the new time
        // comes from a clock that was wrong, and would silence its alarm for as long: it is dropped.
        std::erase_if(lastRung_, [now](const auto& entry) { return entry.second > now + kCatchUpMinutes; });
        last_ = now;
        return {now - 1, now};
    }
    Range range{std::max(last_, now - kCatchUpMinutes), now};
    // Records older than the catch-up window can no longer stop anything; dropped once a day.
    if (now / 1440 != last_ / 1440)
        std::erase_if(lastRung_,
                      [now](const auto& entry) { return entry.second < now - 2 * kCatchUpMinutes; });
    last_ = now;
    return range;
}

bool MinuteWindow::hasRung(qint64 alarmKey, qint64 minute) const {
    const auto it = lastRung_.find(alarmKey);
    return it != lastRung_.end() && it->second >= minute;
}

void MinuteWindow::markRung(qint64 alarmKey, qint64 minute) {
    qint64& last = lastRung_[alarmKey];
    last = std::max(last, minute);
}

} // namespace orvane
