// One-shot precise timer re-armed from the clock at every tick, so it never drifts or skips a second.
#include "app/SecondTicker.h"

#include <algorithm>
#include <limits>

namespace orvane {

namespace {
// Landing a little after the boundary keeps a slightly early wake-up from reading the old second.
constexpr int kMarginMs = 5;
} // namespace

SecondTicker::SecondTicker(const Clock& clock, QObject* parent) : QObject(parent), clock_(clock) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SecondTicker::fire);
}

int SecondTicker::delayToNextSecond(const QDateTime& now) {
    const int ms = now.time().msec();
    return 1000 - ms + kMarginMs;
}

void SecondTicker::start() {
    armed_ = true;
    sleeping_ = false;
    timer_.start(delayToNextSecond(clock_.now()));
}

void SecondTicker::sleepUntil(const QDateTime& at) {
    armed_ = true;
    sleeping_ = true;
    const qint64 ms = clock_.now().msecsTo(at);
    // An aim already past (the clock moved meanwhile) ticks at the next second, which decides again.
    timer_.start(ms > 0 ? int(std::min<qint64>(ms + kMarginMs, std::numeric_limits<int>::max()))
                        : delayToNextSecond(clock_.now()));
}

void SecondTicker::fire() {
    // Re-armed after the handlers, from the clock read then, so a slow handler or a clock change moves
    // the next tick to the right boundary; unless a handler aimed it already.
    armed_ = false;
    emit tick();
    if (!armed_) {
        sleeping_ = false;
        timer_.start(delayToNextSecond(clock_.now()));
    }
}

} // namespace orvane
