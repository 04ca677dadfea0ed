// Tests of KernelClockEvents: logind's suspend signals and its delay lock, with a logind of the test's own
// on a bus of its own, and a start with no bus. The clock-change half cannot be driven: it would take
// setting the machine's clock.
#include "platform/KernelClockEvents.h"

#include "FakeLogind.h"
#include "PrivateBus.h"
#include "TestRegistry.h"

#include <QtTest>

using orvane::KernelClockEvents;
using orvane::test::BusPeer;
using orvane::test::LogindBus;
using orvane::test::PrivateBus;
using orvane::test::sendPrepareForSleep;
using orvane::test::TempDir;
using namespace Qt::Literals::StringLiterals;

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
        LogindBus logind;
        KernelClockEvents clock(logind.bus.address());
        QStringList heard;
        connect(&clock, &KernelClockEvents::aboutToSleep, this, [&] { heard << u"aboutToSleep"_s; });
        connect(&clock, &KernelClockEvents::resumed, this, [&] { heard << u"resumed"_s; });
        connect(&clock, &KernelClockEvents::clockChanged, this, [&] { heard << u"clockChanged"_s; });
        clock.start();
        for (const QString& step : steps) {
            const BusPeer& sender = step.startsWith(u"logind"_s) ? logind.logind : logind.other;
            QVERIFY(sendPrepareForSleep(sender, step.endsWith(u"sleep"_s)));
        }
        // Heard in order; an impostor's signal would have come before the last one and spoilt the list.
        QTRY_COMPARE(heard, events);
    }

    // The lock is held from the start; a suspend waits for the slots of aboutToSleep, then it is let go;
    // after the resume it is held again for the next suspend.
    void delayLockAroundSuspend() {
        LogindBus logind;
        KernelClockEvents clock(logind.bus.address());
        QList<bool> heldWhileSlotRan;
        connect(&clock, &KernelClockEvents::aboutToSleep, this,
                [&] { heldWhileSlotRan << logind.manager.held(); });
        clock.start();
        QTRY_VERIFY(logind.manager.held());
        QCOMPARE(logind.manager.asked.at(0), u"sleep"_s);
        QCOMPARE(logind.manager.asked.at(3), u"delay"_s);

        QVERIFY(sendPrepareForSleep(logind.logind, true));
        QTRY_COMPARE(heldWhileSlotRan, QList<bool>{true});
        QTRY_VERIFY(!logind.manager.held());
        QVERIFY(sendPrepareForSleep(logind.logind, false));
        QTRY_COMPARE(logind.manager.handedOut(), 2);
        QTRY_VERIFY(logind.manager.held());
    }

    // A logind that gives no lock: said once, not again at each resume; the suspends are still heard.
    void noDelayLock() {
        LogindBus logind;
        logind.manager.refuse = true;
        KernelClockEvents clock(logind.bus.address());
        int sleeps = 0;
        connect(&clock, &KernelClockEvents::aboutToSleep, this, [&] { ++sleeps; });
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"^no delay lock for suspends: .*no lock for you"_s));
        QTest::failOnWarning(QRegularExpression(u"."_s));
        clock.start();
        QTRY_COMPARE(logind.manager.calls, 1);
        QVERIFY(sendPrepareForSleep(logind.logind, true));
        QVERIFY(sendPrepareForSleep(logind.logind, false)); // asks again
        QTRY_COMPARE(logind.manager.calls, 2);
        // Sent after the second refusal, so heard after it: by then a second warning would have come.
        QVERIFY(sendPrepareForSleep(logind.logind, true));
        QTRY_COMPARE(sleeps, 2);
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
