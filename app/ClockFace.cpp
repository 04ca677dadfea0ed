// Painting the clock face: the dial, then the hour, minute and second hands.
#include "app/ClockFace.h"

#include <QPainter>

namespace orvane {

ClockFace::ClockFace(QWidget* parent) : QWidget(parent), dial_(QStringLiteral(":/dial.bmp"), "BMP") {
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
