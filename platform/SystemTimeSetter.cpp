// The clock setter: the time service's SetTime over the system bus, then clock_settime.
#include "platform/SystemTimeSetter.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <ctime>

namespace orvane {

namespace {

constexpr int kEarliestYear = 1601; // what the clock of the original platform accepts

bool setThroughTimeService(qint64 utcMicroseconds) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("SetTime"));
    // Absolute time; not interactive, so a missing right is refused at once instead of asking. Events
    // keep running while the service answers.
    call << QVariant::fromValue(utcMicroseconds) << false << false;
    const QDBusMessage reply = QDBusConnection::systemBus().call(call, QDBus::BlockWithGui, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool setDirectly(qint64 utcMilliseconds) {
    timespec ts{};
    ts.tv_sec = time_t(utcMilliseconds / 1000);
    ts.tv_nsec = long(utcMilliseconds % 1000) * 1000000L;
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
}

} // namespace

bool RealSystemTimeSetter::setLocalTime(const QDateTime& local) {
    if (!local.isValid() || local.date().year() < kEarliestYear)
        return false;
    const qint64 ms = local.toMSecsSinceEpoch();
    return setThroughTimeService(ms * 1000) || setDirectly(ms);
}

} // namespace orvane
