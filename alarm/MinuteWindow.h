// Which wall-clock minutes a tick has to look at, and which alarm times have rung already.
#pragma once

#include <QtGlobal>

#include <unordered_map>

namespace orvane {

// The minutes since the last tick's: normally the one new minute (in its first tick, whatever its
// second), after a suspend or a clock set forward every minute skipped, at most a day of them. Never the
// minute the program started in.
class MinuteWindow {
public:
    static constexpr qint64 kCatchUpMinutes = 24 * 60;

    struct Range {
        qint64 from = 0, to = 0; // the minutes after `from` up to and including `to`
        bool empty() const { return to <= from; }
    };

    explicit MinuteWindow(qint64 startMinute) : last_(startMinute) {}
    Range advance(qint64 nowMinute);

    // What has rung, so that a clock set back lets nothing ring twice.
    bool hasRung(qint64 alarmKey, qint64 minute) const;
    void markRung(qint64 alarmKey, qint64 minute);

private:
    qint64 last_;
    std::unordered_map<qint64, qint64> lastRung_; // alarm key → the latest minute it rang for
};

} // namespace orvane
