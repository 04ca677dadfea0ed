// The clock events of a Linux system: the kernel's word when the clock is set, logind's around a suspend.
#pragma once

#include "platform/ClockEvents.h"

#include <QString>

#include <memory>

class QSocketNotifier;

namespace orvane {

class SleepInhibitor;

// Nothing happens until start(), so that the program can call it after its first paint: connecting to the
// system bus costs a round trip to the bus daemon. From then on it holds logind's delay lock for sleep,
// so that a suspend waits until the slots of aboutToSleep() have returned; it takes the lock again on
// resume. What cannot be watched or held is logged under "orvane.clock" and never signalled.
class KernelClockEvents final : public ClockEvents {
    Q_OBJECT
public:
    // busAddress: a D-Bus address to hear logind on instead of the system bus (tests run a bus of their own).
    explicit KernelClockEvents(QString busAddress = {}, QObject* parent = nullptr);
    ~KernelClockEvents() override;

    // Starts watching the clock and the suspends; later calls do nothing.
    void start() override;

private slots:
    // Slot by name: Qt D-Bus connects bus signals only that way.
    void onPrepareForSleep(bool start);

private:
    void watchClock();
    void watchSleep();
    bool armTimer();
    void onTimerReadable();

    QString busAddress_;
    QString busName_; // the name of our own connection to busAddress_, once made
    bool started_ = false;
    int timerFd_ = -1;
    std::unique_ptr<QSocketNotifier> timerNotifier_;
    std::unique_ptr<SleepInhibitor> sleepLock_; // there once PrepareForSleep is heard
};

} // namespace orvane
