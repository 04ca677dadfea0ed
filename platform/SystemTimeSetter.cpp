// The clock setter: the time service's SetTime over the bus, answered asynchronously, then clock_settime.
#include "platform/SystemTimeSetter.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace orvane {

namespace {

constexpr int kEarliestYear = 1601; // what the clock of the original platform accepts
// The service waits for the user's answer to the password prompt: allow them their time.
constexpr int kPromptWaitMs = 10 * 60 * 1000;

const QString kService = QStringLiteral("org.freedesktop.timedate1");
const QString kSyncEnabledError = QStringLiteral("org.freedesktop.timedate1.AutomaticTimeSyncEnabled");

// "Later, in the event loop" also for an answer known at once.
void answerLater(SystemTimeSetter::Done done, TimeSetResult result, QString reason) {
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [done = std::move(done), result, reason] { done(result, reason); });
}

QString setDirectly(qint64 utcMilliseconds) {
    timespec ts{};
    ts.tv_sec = time_t(utcMilliseconds / 1000);
    ts.tv_nsec = long(utcMilliseconds % 1000) * 1000000L;
    return clock_settime(CLOCK_REALTIME, &ts) == 0 ? QString() : QString::fromLocal8Bit(strerror(errno));
}

} // namespace

RealSystemTimeSetter::RealSystemTimeSetter(QString busName, bool directFallback)
    : busName_(std::move(busName)), directFallback_(directFallback) {}

void RealSystemTimeSetter::setTime(const QDateTime& time, Done done) {
    if (!time.isValid() || time.date().year() < kEarliestYear)
        return answerLater(std::move(done), TimeSetResult::Refused, QStringLiteral("time out of range"));
    const qint64 ms = time.toMSecsSinceEpoch();
    const bool direct = directFallback_;
    auto fallBack = [ms, direct](Done done, const QString& why) {
        const QString failed = direct ? setDirectly(ms) : QStringLiteral("not tried");
        if (direct && failed.isEmpty())
            return done(TimeSetResult::Set, QString());
        done(TimeSetResult::Refused, why + QStringLiteral("; clock_settime: ") + failed);
    };

    QDBusConnection bus = busName_.isEmpty() ? QDBusConnection::systemBus() : QDBusConnection(busName_);
    if (!bus.isConnected()) {
        const QString why = QStringLiteral("no system bus");
        return QTimer::singleShot(0, QCoreApplication::instance(),
                                  [fallBack, done = std::move(done), why] { fallBack(done, why); });
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/timedate1"),
                                                       kService, QStringLiteral("SetTime"));
    // Absolute time, interactive: polkit may ask the user, and the GUI keeps running meanwhile.
    call << QVariant::fromValue(ms * 1000) << false << true;
    call.setInteractiveAuthorizationAllowed(true);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kPromptWaitMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [fallBack, done = std::move(done)](QDBusPendingCallWatcher* w) {
                         w->deleteLater();
                         const QDBusPendingReply<> reply = *w;
                         if (!reply.isError())
                             return done(TimeSetResult::Set, QString());
                         const QString why = reply.error().name() + u' ' + reply.error().message();
                         if (reply.error().name() == kSyncEnabledError)
                             return done(TimeSetResult::AutomaticSyncOn, why);
                         fallBack(done, why);
                     });
}

} // namespace orvane
