// A once-a-second tick that re-aims itself at the next whole second of the clock it reads.
#pragma once

#include "platform/Clock.h"

#include <QObject>
#include <QTimer>

namespace orvane {

class SecondTicker : public QObject {
    Q_OBJECT
public:
    explicit SecondTicker(const Clock& clock, QObject* parent = nullptr);
    // Ticks at every second from now on.
    void start();
    // One tick only, a few ms after `at` (a whole minute), instead of the next second: a window with
    // nothing on screen that moves sleeps until it has work. A handler of that tick decides again.
    void sleepUntil(const QDateTime& at);
    void stop() { timer_.stop(); }
    bool sleeping() const { return sleeping_; }
    int remainingMs() const { return timer_.remainingTime(); }
    // Milliseconds from now to a few ms past the next whole second.
    static int delayToNextSecond(const QDateTime& now);

signals:
    void tick();

private:
    void fire();
    const Clock& clock_;
    QTimer timer_;
    bool armed_ = false;    // a handler of the tick has aimed the next one
    bool sleeping_ = false; // aimed at a minute rather than the next second
};

} // namespace orvane
