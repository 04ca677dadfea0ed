// 画板_时钟: the dial picture with the three hands drawn over it.
#pragma once

#include "app/ClockText.h"

#include <QImage>
#include <QWidget>

namespace orvane {

class ClockFace : public QWidget {
    Q_OBJECT
public:
    explicit ClockFace(QWidget* parent = nullptr);
    void setHands(const ClockHands& hands); // repaints the whole face
    const ClockHands& hands() const { return hands_; }
    // The face as it would be painted now (dial plus hands), at 1× or at a screen's scale.
    QImage render() const;
    QImage render(qreal scale) const;
    // The dial picture under the hands.
    const QImage& dial() const { return dial_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintFace(QPainter& painter, qreal scale) const;
    QImage dial_;
    mutable QImage sharpDial_;
    ClockHands hands_{};
};

} // namespace orvane
