// One-shot precise timer re-armed from the clock at every tick, so it never drifts or skips a second.
#include "app/SecondTicker.h"

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
    timer_.start(delayToNextSecond(clock_.now()));
}

void SecondTicker::fire() {
    // Re-armed after the handlers, from the clock read then, so a slow handler or a clock
    // change moves the next tick to the right boundary.
    emit tick();
    timer_.start(delayToNextSecond(clock_.now()));
}

} // namespace orvane
