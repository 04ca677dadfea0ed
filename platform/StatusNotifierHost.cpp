// Asking the session bus for a StatusNotifier watcher and its host.
#include "platform/StatusNotifierHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>

namespace orvane {

bool statusNotifierHostPresent(const QString& busName) {
    const QDBusConnection bus = busName.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(busName);
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher))
        return false;
    QDBusInterface host(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return host.property("IsStatusNotifierHostRegistered").toBool();
}

} // namespace orvane
