// Word from the system that the wall clock moved other than by ticking: it was set, or the machine
// slept and woke up.
#pragma once

#include <QObject>

namespace orvane {

// The once-a-second work re-aims itself and catches up at once on these signals instead of waiting for
// its next timer, which counts in monotonic time and knows nothing of either event.
class ClockEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Begins watching; called once the window has been painted, since it may cost a round trip to a bus.
    virtual void start() {}

signals:
    void clockChanged(); // the wall clock was set (forwards or backwards)
    // The machine is about to suspend. Where the system allows it (logind's delay lock) it waits until
    // the slots have returned: store what must survive and ring what is due now.
    void aboutToSleep();
    // The machine woke from a suspend.
    void resumed();
};

} // namespace orvane
