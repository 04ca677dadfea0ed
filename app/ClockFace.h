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
    // The face as it would be painted now (dial plus hands).
    QImage render() const;
    // The dial picture under the hands.
    const QImage& dial() const { return dial_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintFace(QPainter& painter) const;
    QImage dial_;
    ClockHands hands_{};
};

} // namespace orvane
