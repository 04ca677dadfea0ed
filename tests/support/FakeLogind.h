// logind's manager as far as the program uses it (PrepareForSleep and the delay lock), on a system bus of
// the test's own. The test program lists this header among its sources, for moc.
#pragma once

#include "PrivateBus.h"
#include "TempDir.h"

#include <QDBusContext>
#include <QDBusUnixFileDescriptor>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace orvane::test {

inline const QString kLogind = QStringLiteral("org.freedesktop.login1");

// PrepareForSleep as logind sends it; from a peer without logind's name it is an impostor's.
inline bool sendPrepareForSleep(const BusPeer& sender, bool start) {
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                     QStringLiteral("org.freedesktop.login1.Manager"),
                                                     QStringLiteral("PrepareForSleep"));
    signal << start;
    return sender.emitSignal(signal);
}

// logind's manager as far as the program uses it. Inhibit hands out the write end of a pipe and keeps
// the read end, as logind does: the read end hangs up once every copy of the write end is closed.
class FakeLogind : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    ~FakeLogind() override {
        for (const int fd : kept_)
            ::close(fd);
    }
    // Whether a lock handed out is still held by the program.
    bool held() const {
        for (const int fd : kept_) {
            pollfd end{fd, POLLIN, 0};
            if (poll(&end, 1, 0) == 0)
                return true;
        }
        return false;
    }
    int handedOut() const { return int(kept_.size()); }
    bool refuse = false; // answer Inhibit with an error, as a logind whose policy says no
    int calls = 0;
    QStringList asked; // the arguments of the last Inhibit call

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode) {
        ++calls;
        asked = {what, who, why, mode};
        int ends[2];
        if (refuse || pipe2(ends, O_CLOEXEC) != 0) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("no lock for you"));
            return {};
        }
        kept_ << ends[0];
        const QDBusUnixFileDescriptor lock(ends[1]); // a copy of its own, sent with the reply
        ::close(ends[1]);
        return lock;
    }

private:
    QList<int> kept_;
};

// A system bus of the test's own with FakeLogind under logind's name, and a peer without that name.
struct LogindBus {
    LogindBus() {
        QVERIFY2(!bus.address().isEmpty(), "dbus-daemon did not start");
        QVERIFY(logind.bus().registerObject(QStringLiteral("/org/freedesktop/login1"), &manager,
                                            QDBusConnection::ExportAllSlots));
        QVERIFY(logind.bus().registerService(kLogind));
    }
    TempDir dir;
    PrivateBus bus{dir, PrivateBus::Kind::System};
    BusPeer logind{bus.address(), QStringLiteral("test-logind")};
    BusPeer other{bus.address(), QStringLiteral("test-other")};
    FakeLogind manager;
};

} // namespace orvane::test
