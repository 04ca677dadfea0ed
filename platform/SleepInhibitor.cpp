// SleepInhibitor: logind's Inhibit("sleep", …, "delay") asked without blocking; the descriptor is the lock.
#include "platform/SleepInhibitor.h"

#include "common/Log.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace orvane {

SleepInhibitor::SleepInhibitor(QString connection, QObject* parent)
    : QObject(parent), connection_(std::move(connection)) {}

SleepInhibitor::~SleepInhibitor() {
    release();
}

void SleepInhibitor::take() {
    wanted_ = true;
    if (held() || asking_)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    // What, who, why (shown by `systemd-inhibit --list`), and the mode that lets the suspend wait.
    call << QStringLiteral("sleep") << QStringLiteral("Orvane电脑闹钟")
         << QStringLiteral("在睡眠前响起到时的闹钟，保存稍后提醒") << QStringLiteral("delay");
    asking_ = true;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection(connection_).asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &SleepInhibitor::onAnswer);
}

void SleepInhibitor::release() {
    wanted_ = false;
    if (held())
        ::close(std::exchange(fd_, -1));
}

void SleepInhibitor::onAnswer(QDBusPendingCallWatcher* call) {
    asking_ = false;
    {
        // The reply and its descriptor go out of scope before the lock is judged: a copy left in them
        // would keep the lock after release().
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
        if (reply.isError()) {
            if (!std::exchange(warned_, true))
                qCWarning(lcClock).noquote()
                    << "no delay lock for suspends: a suspend will not wait for due alarms:"
                    << reply.error().message();
        } else if (reply.value().isValid()) {
            fd_ = fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 0);
        }
    }
    call->deleteLater();
    if (!wanted_)
        release(); // released while the lock was on its way
}

} // namespace orvane
