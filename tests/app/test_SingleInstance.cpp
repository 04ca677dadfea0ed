// One instance per user: a second claim fails and raises the first; the lock dies with its holder.
#include "TempDir.h"
#include "TestRegistry.h"
#include "app/SingleInstance.h"

#include <QSignalSpy>
#include <QtTest>

using namespace orvane;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondStartRaisesTheFirst() {
        test::TempDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.claim());
        QSignalSpy raised(&first, &SingleInstance::activationRequested);
        SingleInstance second(dir.path());
        QVERIFY(!second.claim());
        QTRY_COMPARE(raised.size(), 1);
    }

    void lockAndSocketOfAnEndedInstanceAreTakenOver() {
        test::TempDir dir;
        {
            SingleInstance gone(dir.path());
            QVERIFY(gone.claim());
        }
        QFile stale(dir.file(QStringLiteral("orvane-clock.sock"))); // as a killed instance leaves it
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance next(dir.path());
        QVERIFY(next.claim());
        QSignalSpy raised(&next, &SingleInstance::activationRequested);
        SingleInstance later(dir.path());
        QVERIFY(!later.claim());
        QTRY_COMPARE(raised.size(), 1);
    }
};

ORVANE_TEST(SingleInstanceTest)
#include "test_SingleInstance.moc"
