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

    // On a screen scaled 2× the face is the dial drawn at 256 pixels, not the 128-pixel one blown up, and
    // the hands are smoothed.
    void scaledScreenGetsTheSharpDial() {
        const QImage sharp =
            QImage(QStringLiteral(":/dial@2x.png"), "PNG").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(sharp.size(), QSize(256, 256));
        ClockFace face;
        const QImage painted = face.render(2.0).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(painted.size(), QSize(256, 256));
        for (const QPoint p :
             {QPoint(255, 0), QPoint(255, 255), QPoint(128, 6), QPoint(10, 128), QPoint(127, 127)})
            QCOMPARE(painted.pixel(p), sharp.pixel(p));

        face.setHands({{QPoint(64, 64), QPoint(100, 40), 2},
                       {QPoint(64, 64), QPoint(64, 20), 2},
                       {QPoint(64, 64), QPoint(30, 90), 0}});
        const QImage withHands = face.render(2.0).convertToFormat(QImage::Format_RGB32);
        QSet<QRgb> shades; // an aliased black hand over the white face has only the two
        for (int x = 150; x < 190; ++x)
            for (int y = 90; y < 120; ++y)
                shades.insert(withHands.pixel(x, y));
        QVERIFY2(shades.size() > 4, "the hour hand is not smoothed");
    }
};

ORVANE_TEST(ClockFaceTest)
#include "test_ClockFace.moc"
