// KernelClockEvents: a timerfd cancelled when the clock is set, and logind's PrepareForSleep on D-Bus.
#include "platform/KernelClockEvents.h"

#include "common/Log.h"
#include "platform/SleepInhibitor.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QSocketNotifier>

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

namespace orvane {

namespace {
const QString kLogindService = QStringLiteral("org.freedesktop.login1");
const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
const QString kLogindManager = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

KernelClockEvents::KernelClockEvents(QString busAddress, QObject* parent)
    : ClockEvents(parent), busAddress_(std::move(busAddress)) {}

KernelClockEvents::~KernelClockEvents() {
    sleepLock_.reset();     // before its bus connection goes
    timerNotifier_.reset(); // before the descriptor it watches goes
    if (timerFd_ >= 0)
        ::close(timerFd_);
    if (!busName_.isEmpty())
        QDBusConnection::disconnectFromBus(busName_);
}

void KernelClockEvents::start() {
    if (std::exchange(started_, true))
        return;
    watchClock();
    watchSleep();
}

void KernelClockEvents::watchClock() {
    timerFd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timerFd_ < 0) {
        qCWarning(lcClock, "no word of clock changes: timerfd_create: %s", strerror(errno));
        return;
    }
    if (!armTimer()) {
        ::close(std::exchange(timerFd_, -1));
        return;
    }
    timerNotifier_ = std::make_unique<QSocketNotifier>(timerFd_, QSocketNotifier::Read);
    connect(timerNotifier_.get(), &QSocketNotifier::activated, this, &KernelClockEvents::onTimerReadable);
}

bool KernelClockEvents::armTimer() {
    // An expiry that never comes: the timer is only there to be cancelled when the clock is set.
    itimerspec far{};
    far.it_value.tv_sec = std::numeric_limits<time_t>::max();
    if (timerfd_settime(timerFd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &far, nullptr) == 0)
        return true;
    qCWarning(lcClock, "no word of clock changes: timerfd_settime: %s", strerror(errno));
    return false;
}

void KernelClockEvents::onTimerReadable() {
    std::uint64_t expirations = 0;
    if (::read(timerFd_, &expirations, sizeof expirations) >= 0 || errno != ECANCELED)
        return; // an expiry in the far future, or nothing to read after all
    // The cancel is cleared by the read; arming again keeps the timer's meaning whatever the kernel does.
    if (!armTimer())
        timerNotifier_->setEnabled(false);
    emit clockChanged();
}

void KernelClockEvents::watchSleep() {
    if (!busAddress_.isEmpty())
        busName_ = QStringLiteral("orvane-clock-events-%1").arg(quintptr(this), 0, 16);
    QDBusConnection bus = busName_.isEmpty() ? QDBusConnection::systemBus()
                                             : QDBusConnection::connectToBus(busAddress_, busName_);
    if (!bus.isConnected()) {
        qCWarning(lcClock).noquote() << "no word of suspends, no bus:" << bus.lastError().message();
        return;
    }
    // Naming the service makes Qt D-Bus drop the signal unless its sender owns logind's name.
    if (!bus.connect(kLogindService, kLogindPath, kLogindManager, QStringLiteral("PrepareForSleep"), this,
                     SLOT(onPrepareForSleep(bool)))) {
        qCWarning(lcClock).noquote() << "no word of suspends:" << bus.lastError().message();
        return;
    }
    sleepLock_ = std::make_unique<SleepInhibitor>(bus.name());
    sleepLock_->take();
}

void KernelClockEvents::onPrepareForSleep(bool start) {
    if (start) {
        emit aboutToSleep(); // the slots run while the suspend waits for the lock
        sleepLock_->release();
    } else {
        sleepLock_->take(); // for the next suspend
        emit resumed();
    }
}

} // namespace orvane
