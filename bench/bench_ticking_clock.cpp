// The second yardstick: a minimal Qt clock that repaints its 128-pixel face every second, so the program's
// shown idle cost is compared with something that also ticks, not only with a window that never changes.
#include "bench/Probe.h"

#include <QApplication>
#include <QPainter>
#include <QTime>
#include <QTimer>
#include <QWidget>

namespace {

class TickingFace : public QWidget {
public:
    TickingFace() {
        setFixedSize(128, 128);
        connect(&timer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
        timer_.start(1000);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(64, 64);
        p.drawEllipse(QPoint(0, 0), 60, 60);
        const QTime now = QTime::currentTime();
        const struct {
            double degrees;
            int length;
        } hands[] = {{30.0 * (now.hour() % 12) + now.minute() / 2.0, 30},
                     {6.0 * now.minute(), 45},
                     {6.0 * now.second(), 55}};
        for (const auto& hand : hands) {
            p.save();
            p.rotate(hand.degrees);
            p.drawLine(0, 0, 0, -hand.length);
            p.restore();
        }
    }

private:
    QTimer timer_;
};

} // namespace

int main(int argc, char** argv) {
    const qint64 entered = orvane::bench::wallNs();
    const orvane::bench::Options options = orvane::bench::parseOptions(argc, argv);
    QApplication app(argc, argv);
    orvane::bench::StartProbe probe(options, entered);
    TickingFace face;
    face.show();
    probe.watch(&face);
    return app.exec();
}
