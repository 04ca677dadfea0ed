// The rectangle the lock holds the cursor in, and where a cursor outside it is put back. (The password
// check and the unlock controls' places are tested through the window, in test_LockWindow.)
#include "TestRegistry.h"
#include "protect/LockRules.h"

#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

class LockRulesTest : public QObject {
    Q_OBJECT
private slots:
    void cursorHeld_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("held");
        const QRect fullHd(0, 0, 1920, 1080);
        QTest::newRow("inside stays") << fullHd << QPoint(500, 400) << QPoint(500, 400);
        QTest::newRow("top-left corner of the limit stays") << fullHd << QPoint(10, 10) << QPoint(10, 10);
        QTest::newRow("last pixel inside stays") << fullHd << QPoint(1904, 1064) << QPoint(1904, 1064);
        QTest::newRow("screen corner pulled in") << fullHd << QPoint(0, 0) << QPoint(10, 10);
        QTest::newRow("right limit is outside") << fullHd << QPoint(1905, 500) << QPoint(1904, 500);
        QTest::newRow("bottom limit is outside") << fullHd << QPoint(500, 1065) << QPoint(500, 1064);
        QTest::newRow("far bottom right") << fullHd << QPoint(1919, 1079) << QPoint(1904, 1064);
        QTest::newRow("left of the limit") << fullHd << QPoint(9, 500) << QPoint(10, 500);
        QTest::newRow("smaller screen uses its own size")
            << QRect(0, 0, 1024, 768) << QPoint(1023, 767) << QPoint(1008, 752);
        QTest::newRow("screen not at the origin")
            << QRect(1920, 0, 1280, 1024) << QPoint(1920, 1023) << QPoint(1930, 1008);
        QTest::newRow("screen smaller than the margins")
            << QRect(0, 0, 20, 20) << QPoint(15, 15) << QPoint(10, 10);
    }
    void cursorHeld() {
        QFETCH(QRect, screen);
        QFETCH(QPoint, at);
        QFETCH(QPoint, held);
        QCOMPARE(clampCursor(at, cursorLimit(screen)), held);
    }
};

ORVANE_TEST(LockRulesTest)
#include "test_LockRules.moc"
