// Painting the clock face: the dial, then the hour, minute and second hands.
#include "app/ClockFace.h"

#include <QPainter>
#include <QResource>
#include <QSysInfo>

namespace orvane {

namespace {

constexpr int kDialSide = 128;

// The dial as ready pixels: a QImage over the carried resource's own bytes (stored uncompressed), so the
// start-up neither loads an image decoder nor copies the pixels. Decoded from the BMP only if the raw
// resource is missing or unusable.
QImage carriedDial() {
    const QResource raw(QStringLiteral(":/dial.rgb32"));
    const auto* bytes = raw.data();
    const bool usable = raw.isValid() && raw.compressionAlgorithm() == QResource::NoCompression &&
                        raw.size() == qint64(kDialSide) * kDialSide * 4 &&
                        reinterpret_cast<quintptr>(bytes) % alignof(quint32) == 0 &&
                        QSysInfo::ByteOrder == QSysInfo::LittleEndian; // the file holds little-endian words
    if (usable)
        return QImage(bytes, kDialSide, kDialSide, kDialSide * 4, QImage::Format_RGB32);
    return QImage(QStringLiteral(":/dial.bmp"), "BMP").convertToFormat(QImage::Format_RGB32);
}

// The face drawn at twice the size, for screens scaled above 1×: crisp at 2× and smoothly reduced between
// (at 1.5×), where the 128-pixel dial would be blown up. Decoded only on such a screen.
QImage carriedSharpDial() {
    QImage dial(QStringLiteral(":/dial@2x.png"), "PNG");
    dial.setDevicePixelRatio(2.0);
    return dial;
}

} // namespace

ClockFace::ClockFace(QWidget* parent) : QWidget(parent), dial_(carriedDial()) {
    setObjectName(QStringLiteral("画板_时钟"));
    setAccessibleName(QStringLiteral("时钟"));
    setFixedSize(128, 128);
    // The dial covers every pixel: no background needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClockFace::setHands(const ClockHands& hands) {
    hands_ = hands;
    update();
}

void ClockFace::paintFace(QPainter& painter, qreal scale) const {
    if (scale > 1.0) {
        if (sharpDial_.isNull())
            sharpDial_ = carriedSharpDial();
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(0, 0, kDialSide, kDialSide), sharpDial_.isNull() ? dial_ : sharpDial_);
    } else {
        painter.drawImage(0, 0, dial_);
    }
    const auto draw = [&painter, scale](const HandLine& hand, const QColor& colour) {
        // Width 0 is one device pixel: on a scaled screen the second hand keeps its one logical pixel.
        painter.setPen(QPen(colour, hand.penWidth == 0 && scale > 1.0 ? 1 : hand.penWidth));
        painter.drawLine(hand.from, hand.to);
    };
    draw(hands_.hour, Qt::black);
    draw(hands_.minute, Qt::black);
    draw(hands_.second, QColor(0, 255, 0));
}

QImage ClockFace::render() const {
    return render(1.0);
}

QImage ClockFace::render(qreal scale) const {
    QImage image(QSize(kDialSide, kDialSide) * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    paintFace(painter, scale);
    return image;
}

void ClockFace::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintFace(painter, devicePixelRatioF());
}

} // namespace orvane
