// Asking the session bus for a StatusNotifier watcher and its host.
#include "platform/StatusNotifierHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>

namespace orvane {

bool statusNotifierHostPresent(const QString& busAddress) {
    const QString name = QStringLiteral("orvane-status-notifier-probe");
    QDBusConnection bus = busAddress.isEmpty() ? QDBusConnection::sessionBus()
                                               : QDBusConnection::connectToBus(busAddress, name);
    bool present = false;
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (bus.isConnected() && bus.interface()->isServiceRegistered(watcher)) {
        QDBusInterface host(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
        present = host.property("IsStatusNotifierHostRegistered").toBool();
    }
    if (!busAddress.isEmpty())
        QDBusConnection::disconnectFromBus(name);
    return present;
}

} // namespace orvane
