// Tests of KernelClockEvents: logind's suspend signals heard on a bus of the test's own, and a start with
// no bus. The clock-change half cannot be driven: it would take setting the machine's clock.
#include "platform/KernelClockEvents.h"

#include "TempDir.h"
#include "TestRegistry.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QtTest>

using orvane::KernelClockEvents;
using orvane::test::TempDir;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kLogind = u"org.freedesktop.login1"_s;

// A message bus daemon listening in the test's folder; it is the test's own process, killed at the end.
class PrivateBus {
public:
    explicit PrivateBus(const TempDir& dir) {
        daemon_.start(u"dbus-daemon"_s,
                      {u"--session"_s, u"--nofork"_s, u"--nopidfile"_s, u"--print-address"_s,
                       u"--address=unix:path="_s + dir.file(u"bus"_s)});
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

// A connection that emits PrepareForSleep, as logind when it owns logind's name, else as an impostor.
class Sender {
public:
    Sender(const QString& address, const QString& name) : name_(name) {
        QDBusConnection::connectToBus(address, name);
    }
    ~Sender() { QDBusConnection::disconnectFromBus(name_); }
    QDBusConnection bus() const { return QDBusConnection(name_); }
    // Returns once the daemon has routed the signal: it handles each connection's messages in order, so
    // the call made after the signal is answered after it, and signals of two senders arrive in order.
    bool prepareForSleep(bool start) const {
        QDBusMessage signal = QDBusMessage::createSignal(
            u"/org/freedesktop/login1"_s, u"org.freedesktop.login1.Manager"_s, u"PrepareForSleep"_s);
        signal << start;
        return bus().send(signal) && bus().interface()->isServiceRegistered(kLogind).isValid();
    }

private:
    QString name_;
};

} // namespace

class KernelClockEventsTest : public QObject {
    Q_OBJECT

private slots:
    void prepareForSleep_data() {
        QTest::addColumn<QStringList>("steps"); // "<logind|other> <sleep|wake>"
        QTest::addColumn<QStringList>("events");
        QTest::newRow("logind's true and false: aboutToSleep, then resumed")
            << QStringList{u"logind sleep"_s, u"logind wake"_s}
            << QStringList{u"aboutToSleep"_s, u"resumed"_s};
        QTest::newRow("a sender that does not own logind's name is ignored")
            << QStringList{u"other sleep"_s, u"logind wake"_s} << QStringList{u"resumed"_s};
    }
    void prepareForSleep() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, events);
        TempDir dir;
        PrivateBus bus(dir);
        QVERIFY2(!bus.address().isEmpty(), "dbus-daemon did not start");
        const Sender logind(bus.address(), u"test-logind"_s);
        const Sender other(bus.address(), u"test-other"_s);
        QVERIFY(logind.bus().registerService(kLogind));

        KernelClockEvents clock(bus.address());
        QStringList heard;
        connect(&clock, &KernelClockEvents::aboutToSleep, this, [&] { heard << u"aboutToSleep"_s; });
        connect(&clock, &KernelClockEvents::resumed, this, [&] { heard << u"resumed"_s; });
        connect(&clock, &KernelClockEvents::clockChanged, this, [&] { heard << u"clockChanged"_s; });
        clock.start();
        for (const QString& step : steps) {
            const Sender& sender = step.startsWith(u"logind"_s) ? logind : other;
            QVERIFY(sender.prepareForSleep(step.endsWith(u"sleep"_s)));
        }
        // Heard in order; an impostor's signal would have come before the last one and spoilt the list.
        QTRY_COMPARE(heard, events);
    }

    // A machine without a system bus still starts: one warning, no signal, no crash.
    void startWithoutBus() {
        TempDir dir;
        KernelClockEvents clock(u"unix:path="_s + dir.file(u"no-bus"_s));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^no word of suspends, no bus: ."_s));
        QTest::failOnWarning(QRegularExpression(u"."_s)); // the clock's timer has no cause to warn
        clock.start();
        clock.start(); // later calls do nothing: the warning is not repeated
    }
};

ORVANE_TEST(KernelClockEventsTest)
#include "test_KernelClockEvents.moc"
