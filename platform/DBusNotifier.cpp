// DBusNotifier: Notify and CloseNotification sent without waiting, the service's two signals heard.
#include "platform/DBusNotifier.h"

#include "common/Log.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

#include <utility>

namespace orvane {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

// Critical: the service keeps the notification until it is answered, as an alarm must be.
constexpr uchar kUrgencyCritical = 2;
constexpr int kNeverExpires = 0;

QDBusMessage methodCall(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

QDBusConnection busNamed(const QString& name) {
    return name.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(name);
}

} // namespace

DBusNotifier::DBusNotifier(QString busAddress, QObject* parent)
    : Notifier(parent), busAddress_(std::move(busAddress)) {}

DBusNotifier::~DBusNotifier() {
    if (!busName_.isEmpty())
        QDBusConnection::disconnectFromBus(busName_);
}

bool DBusNotifier::connectOnce() {
    if (std::exchange(busTried_, true))
        return busUp_;
    if (!busAddress_.isEmpty()) {
        busName_ = QStringLiteral("orvane-notify-%1").arg(quintptr(this), 0, 16);
        QDBusConnection::connectToBus(busAddress_, busName_);
    }
    QDBusConnection bus = busNamed(busName_);
    if (!bus.isConnected()) {
        qCWarning(lcNotify).noquote() << "no notifications, no bus:" << bus.lastError().message();
        return false;
    }
    busUp_ = true;
    // Naming the service makes Qt D-Bus drop the signals unless their sender owns the service's name.
    if (!bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                     SLOT(onActionInvoked(uint, QString))) ||
        !bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                     SLOT(onNotificationClosed(uint, uint))))
        qCWarning(lcNotify).noquote() << "notifications cannot answer:" << bus.lastError().message();
    return true;
}

quint64 DBusNotifier::notify(const QString& summary, const QString& body, const QList<Action>& actions) {
    const quint64 handle = ++lastHandle_;
    if (!connectOnce())
        return handle;
    QStringList keysAndLabels;
    for (const Action& action : actions)
        keysAndLabels << action.key << action.label;
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(kUrgencyCritical)},
                            {QStringLiteral("desktop-entry"), QStringLiteral("orvane-clock")}};
    QDBusMessage call = methodCall(QStringLiteral("Notify"));
    call << QStringLiteral("Orvane电脑闹钟") << 0u /* replaces none */ << QStringLiteral("orvane-clock")
         << summary << body << keysAndLabels << hints << kNeverExpires;
    auto* watcher = new QDBusPendingCallWatcher(busNamed(busName_).asyncCall(call), this);
    awaitingIds_.insert(handle, false);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, handle](QDBusPendingCallWatcher* finished) { onNotifyReply(handle, finished); });
    return handle;
}

void DBusNotifier::onNotifyReply(quint64 handle, QDBusPendingCallWatcher* watcher) {
    watcher->deleteLater();
    const bool closeAtOnce = awaitingIds_.take(handle);
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
        // Every alarm would repeat the same failure while the service is missing.
        if (std::exchange(lastFailure_, reply.error().name()) != reply.error().name())
            qCWarning(lcNotify).noquote() << "notification not shown:" << reply.error().message();
        return;
    }
    lastFailure_.clear();
    const uint id = reply.value();
    if (closeAtOnce) {
        closeId(id);
        return;
    }
    // A restarted service counts from 1 again: an id handed out anew is no longer an older handle's.
    ids_.remove(handleOf(id));
    ids_.insert(handle, id);
}

void DBusNotifier::close(quint64 handle) {
    if (const auto awaiting = awaitingIds_.find(handle); awaiting != awaitingIds_.end()) {
        *awaiting = true;
        return;
    }
    if (const auto known = ids_.constFind(handle); known != ids_.cend()) {
        const uint id = *known;
        ids_.erase(known);
        closeId(id);
    }
}

void DBusNotifier::closeId(uint id) {
    QDBusMessage call = methodCall(QStringLiteral("CloseNotification"));
    call << id;
    // No answer awaited: the service answers an error when the user has closed the notification
    // meanwhile, which is no failure of ours.
    busNamed(busName_).send(call);
}

quint64 DBusNotifier::handleOf(uint id) const {
    for (auto it = ids_.cbegin(); it != ids_.cend(); ++it)
        if (it.value() == id)
            return it.key();
    return 0;
}

void DBusNotifier::onActionInvoked(uint id, const QString& key) {
    if (const quint64 handle = handleOf(id))
        emit actionInvoked(handle, key);
}

void DBusNotifier::onNotificationClosed(uint id, uint /*reason*/) {
    ids_.remove(handleOf(id));
}

} // namespace orvane
