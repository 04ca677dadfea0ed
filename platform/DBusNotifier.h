// DBusNotifier: desktop notifications from the freedesktop notification service on D-Bus.
#pragma once

#include "platform/Notifier.h"

#include <QHash>
#include <QString>

class QDBusPendingCallWatcher;

namespace orvane {

// Connects to the bus at the first notify(), so that start-up does not pay for it, and never waits on the
// bus. What cannot be shown is logged under "orvane.notify" and never reported.
class DBusNotifier final : public Notifier {
    Q_OBJECT
public:
    // busAddress: a D-Bus address to use instead of the session bus (tests run a bus of their own).
    explicit DBusNotifier(QString busAddress = {}, QObject* parent = nullptr);
    ~DBusNotifier() override;

    quint64 notify(const QString& summary, const QString& body, const QList<Action>& actions) override;
    void close(quint64 handle) override;

private slots:
    // Slots by name: Qt D-Bus connects bus signals only that way.
    void onActionInvoked(uint id, const QString& key);
    void onNotificationClosed(uint id, uint reason);

private:
    bool connectOnce();
    void onNotifyReply(quint64 handle, QDBusPendingCallWatcher* watcher);
    void closeId(uint id);
    quint64 handleOf(uint id) const;

    QString busAddress_;
    QString busName_; // the name of our own connection to busAddress_, once made
    bool busTried_ = false;
    bool busUp_ = false;
    quint64 lastHandle_ = 0;
    QHash<quint64, uint> ids_;         // handle → the service's id, once its reply came
    QHash<quint64, bool> awaitingIds_; // handle → whether close() asked to close it before its id came
    QString lastFailure_;              // the error last logged: a service that is missing is logged once
};

} // namespace orvane
