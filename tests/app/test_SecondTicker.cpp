// The once-a-second tick aims at the next whole second of the clock, never a fixed period.
#include "TestRegistry.h"
#include "app/SecondTicker.h"

#include <QtTest>

using namespace orvane;

class SecondTickerTest : public QObject {
    Q_OBJECT
private slots:
    void delay_data() {
        QTest::addColumn<int>("msec");
        QTest::addColumn<int>("delay");
        QTest::newRow("on the boundary: a full second") << 0 << 1005;
        QTest::newRow("a late tick catches up instead of drifting") << 300 << 705;
        QTest::newRow("just before the boundary: still lands after it") << 999 << 6;
    }
    void delay() {
        QFETCH(int, msec);
        QFETCH(int, delay);
        const QDateTime now(QDate(2026, 12, 7), QTime(8, 0, 0, msec));
        QCOMPARE(SecondTicker::delayToNextSecond(now), delay);
        // Whatever the phase, the next tick reads a later second than this one.
        QVERIFY(now.addMSecs(delay).time().second() == (now.time().second() + 1) % 60);
    }
};

ORVANE_TEST(SecondTickerTest)
#include "test_SecondTicker.moc"
