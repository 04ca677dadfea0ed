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
    void start();
    void stop() { timer_.stop(); }
    // Milliseconds from now to a few ms past the next whole second.
    static int delayToNextSecond(const QDateTime& now);

signals:
    void tick();

private:
    void fire();
    const Clock& clock_;
    QTimer timer_;
};

} // namespace orvane
