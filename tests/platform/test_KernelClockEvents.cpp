// Tests of KernelClockEvents: logind's suspend signals heard on a bus of the test's own, and a start with
// no bus. The clock-change half cannot be driven: it would take setting the machine's clock.
#include "platform/KernelClockEvents.h"

#include "PrivateBus.h"
#include "TestRegistry.h"

#include <QtTest>

using orvane::KernelClockEvents;
using orvane::test::BusPeer;
using orvane::test::PrivateBus;
using orvane::test::TempDir;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kLogind = u"org.freedesktop.login1"_s;

// PrepareForSleep as logind sends it; from a peer without logind's name it is an impostor's.
bool sendPrepareForSleep(const BusPeer& sender, bool start) {
    QDBusMessage signal = QDBusMessage::createSignal(
        u"/org/freedesktop/login1"_s, u"org.freedesktop.login1.Manager"_s, u"PrepareForSleep"_s);
    signal << start;
    return sender.emitSignal(signal);
}

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
        const BusPeer logind(bus.address(), u"test-logind"_s);
        const BusPeer other(bus.address(), u"test-other"_s);
        QVERIFY(logind.bus().registerService(kLogind));

        KernelClockEvents clock(bus.address());
        QStringList heard;
        connect(&clock, &KernelClockEvents::aboutToSleep, this, [&] { heard << u"aboutToSleep"_s; });
        connect(&clock, &KernelClockEvents::resumed, this, [&] { heard << u"resumed"_s; });
        connect(&clock, &KernelClockEvents::clockChanged, this, [&] { heard << u"clockChanged"_s; });
        clock.start();
        for (const QString& step : steps) {
            const BusPeer& sender = step.startsWith(u"logind"_s) ? logind : other;
            QVERIFY(sendPrepareForSleep(sender, step.endsWith(u"sleep"_s)));
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
