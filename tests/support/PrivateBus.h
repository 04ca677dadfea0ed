// A message bus of the test's own, and named connections to it that send signals in a known order.
#pragma once

#include "TempDir.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>

namespace orvane::test {

// A message bus daemon listening in the test's folder; it is the test's own process, killed at the end.
// Its configuration is its own and names no service folders, so no call to a name can start a service
// of the machine (a notification daemon, logind): only the test's own peers answer.
class PrivateBus {
public:
    enum class Kind { Session, System };
    explicit PrivateBus(const TempDir& dir, Kind kind = Kind::Session) {
        const QString config = dir.file(QStringLiteral("bus.conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        // (No raw string here: moc, which reads this header in every test that includes it, misparses one.)
        const QString bus = dir.file(QStringLiteral("bus"));
        file.write(
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n<busconfig>\n  <type>" +
            QByteArray(kind == Kind::System ? "system" : "session") +
            "</type>\n  <listen>unix:path=" + QFile::encodeName(bus) +
            "</listen>\n  <auth>EXTERNAL</auth>\n  <policy context=\"default\">\n"
            "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n    <allow eavesdrop=\"true\"/>\n"
            "    <allow own=\"*\"/>\n  </policy>\n</busconfig>\n");
        file.close();
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                       QStringLiteral("--nopidfile"), QStringLiteral("--print-address")});
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
