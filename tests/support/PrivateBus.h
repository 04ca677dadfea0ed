// A message bus of the test's own, and named connections to it that send signals in a known order.
#pragma once

#include "TempDir.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>

namespace orvane::test {

// A message bus daemon listening in the test's folder; it is the test's own process, killed at the end.
class PrivateBus {
public:
    explicit PrivateBus(const TempDir& dir) {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                       QStringLiteral("--print-address"),
                       QStringLiteral("--address=unix:path=") + dir.file(QStringLiteral("bus"))});
        if (daemon_.waitForReadyRead(10000))
            address_ = QString::fromUtf8(daemon_.readLine().trimmed());
    }
    ~PrivateBus() {
        daemon_.kill();
        daemon_.waitForFinished();
    }
    QString address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
};

// A connection to the bus under a name of the test's choosing, closed with the object.
class BusPeer {
public:
    BusPeer(const QString& address, const QString& name) : name_(name) {
        QDBusConnection::connectToBus(address, name);
    }
    ~BusPeer() { QDBusConnection::disconnectFromBus(name_); }
    QDBusConnection bus() const { return QDBusConnection(name_); }
    // Returns once the daemon has routed the signal: it handles each connection's messages in order, so
    // the call made after the signal is answered after it, and signals of two peers arrive in order.
    bool emitSignal(const QDBusMessage& signal) const {
        return bus().send(signal) &&
               bus().interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus")).isValid();
    }

private:
    QString name_;
};

} // namespace orvane::test
