// The clock face's dial: the raw pixels it shows at start-up against their source picture.
#include "TestRegistry.h"
#include "app/ClockFace.h"
#include "resources/resources.h"

#include <QResource>
#include <QtTest>

using namespace orvane;

class ClockFaceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvaneInitResources(); }

    // Catches a dial.rgb32 left stale after dial.bmp changed, or written with the wrong byte order, row
    // order or row length by tools/make-media.
    void dialShowsTheSourcePicture() {
        const QImage source =
            QImage(QStringLiteral(":/dial.bmp"), "BMP").convertToFormat(QImage::Format_RGB32);
        QVERIFY(!source.isNull());
        const ClockFace face;
        QCOMPARE(face.dial().format(), QImage::Format_RGB32);
        QCOMPARE(face.dial(), source);
        // What is painted: corners and the rim, away from the hands (the default ones sit at 0,0).
        const QImage painted = face.render();
        for (const QPoint p : {QPoint(127, 0), QPoint(127, 127), QPoint(64, 3), QPoint(5, 64)})
            QCOMPARE(painted.pixel(p), source.pixel(p));
    }

    // Catches the face decoding (or copying) the picture at start-up again: it must show the carried bytes.
    void dialIsTheCarriedBytes() {
        const QResource raw(QStringLiteral(":/dial.rgb32"));
        QVERIFY(raw.isValid());
        QCOMPARE(raw.compressionAlgorithm(), QResource::NoCompression);
        const ClockFace face;
        QCOMPARE(static_cast<const void*>(face.dial().constBits()), static_cast<const void*>(raw.data()));
    }
};

ORVANE_TEST(ClockFaceTest)
#include "test_ClockFace.moc"
