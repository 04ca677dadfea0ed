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

void ClockFace::paintFace(QPainter& painter) const {
    painter.drawImage(0, 0, dial_);
    const auto draw = [&painter](const HandLine& hand, const QColor& colour) {
        painter.setPen(QPen(colour, hand.penWidth));
        painter.drawLine(hand.from, hand.to);
    };
    draw(hands_.hour, Qt::black);
    draw(hands_.minute, Qt::black);
    draw(hands_.second, QColor(0, 255, 0));
}

QImage ClockFace::render() const {
    QImage image(128, 128, QImage::Format_RGB32);
    QPainter painter(&image);
    paintFace(painter);
    return image;
}

void ClockFace::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintFace(painter);
}

} // namespace orvane
