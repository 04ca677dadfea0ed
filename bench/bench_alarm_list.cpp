// In-process timings on the shown main window: LoadAlarmList with many alarms, and UpdateClock with its
// paint.
#include "alarm/AlarmEngine.h"
#include "alarm/AlarmLists.h"
#include "alarm/AlarmModel.h"
#include "alarm/AlarmPage.h"
#include "app/MainWindow.h"
#include "bench/Probe.h"
#include "bench/SeedAlarms.h"
#include "platform/QtDialogs.h"
#include "resources/resources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Moves on one second at each step, so every UpdateClock call changes the text and the hands as a tick does.
class SteppedClock final : public orvane::Clock {
public:
    QDateTime now() const override { return start_.addSecs(steps_); }
    void step() { ++steps_; }

private:
    QDateTime start_{QDate(2026, 12, 7), QTime(8, 5, 9)};
    qint64 steps_ = 0;
};

// Counts the paint events a widget receives, to show that the timed calls really painted.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values.at(values.size() / 2);
}

bool waitForExposed(QWidget& window) {
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    return window.windowHandle() && window.windowHandle()->isExposed();
}

} // namespace

int main(int argc, char** argv) {
    const orvane::bench::Options options = orvane::bench::parseOptions(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane-clock"));
    orvaneInitResources();

    QTemporaryDir temp;
    orvane::Services services;
    services.paths = orvane::Paths::under(options.data.isEmpty() ? temp.path() : options.data);
    services.paths.makeFolders();
    SteppedClock clock;
    orvane::QtDialogs dialogs(nullptr);
    orvane::Registry registry(services.paths);
    services.clock = &clock;
    services.dialogs = &dialogs;
    services.registry = &registry;

    orvane::MainWindow window(services);
    dialogs.setParentWidget(&window);
    if (!window.StartUp() || !orvane::bench::seedAlarms(window.database(), options.alarms)) {
        std::fprintf(stderr, "bench_alarm_list: start-up or seeding failed\n");
        return 1;
    }
    window.show();
    if (!waitForExposed(window)) {
        std::fprintf(stderr, "bench_alarm_list: the window was never exposed\n");
        return 1;
    }

    // Reloads of the shown list: the call alone, and the call plus the layout and paint it leads to.
    const orvane::AlarmLists& lists = window.alarmPage()->lists();
    std::vector<double> callMs, shownMs, shownCpuMs, readMs;
    qsizetype readChars = 0;
    for (int i = 0; i <= options.reloads; ++i) {
        const qint64 cpu = orvane::bench::threadCpuNs();
        QElapsedTimer t;
        t.start();
        window.engine().reload();
        const qint64 call = t.nsecsElapsed();
        QCoreApplication::processEvents();
        lists.shown->viewport()->repaint();
        const qint64 shown = t.nsecsElapsed();
        const qint64 shownCpu = orvane::bench::threadCpuNs() - cpu;
        // A row's texts are cut into cells at its first read: read every row as the next scan does.
        qsizetype chars = 0;
        for (int r = 0; r < lists.shown->topLevelItemCount(); ++r)
            chars += lists.shown->topLevelItem(r)->text(1).size() + lists.flags->text(r, 0).size();
        const qint64 read = t.nsecsElapsed();
        if (i > 0) { // the first load only warms up
            callMs.push_back(double(call) / 1e6);
            shownMs.push_back(double(shown) / 1e6);
            shownCpuMs.push_back(double(shownCpu) / 1e6);
            readMs.push_back(double(read) / 1e6);
        }
        readChars = chars;
    }
    orvane::bench::report("alarms_listed", lists.shown->topLevelItemCount());
    orvane::bench::report("load_call_ms", median(callMs));
    orvane::bench::report("load_shown_ms", median(shownMs));
    orvane::bench::report("load_shown_cpu_ms", median(shownCpuMs));
    orvane::bench::report("load_read_ms", median(readMs));
    orvane::bench::report("load_read_chars", double(readChars));

    // UpdateClock alone, then with the paint it causes: repaint() paints every dirty widget of the window
    // at once (the face and the time label) and flushes it, as the event loop does after a tick.
    auto* face = window.findChild<QWidget*>(QStringLiteral("画板_时钟"));
    auto* label = window.findChild<QWidget*>(QStringLiteral("透明标签_当前时间"));
    PaintCounter facePaints, labelPaints;
    face->installEventFilter(&facePaints);
    label->installEventFilter(&labelPaints);
    const auto timeCalls = [&](bool paint) {
        qint64 total = 0;
        for (int i = 0; i < options.calls; ++i) {
            clock.step();
            QElapsedTimer t;
            t.start();
            window.UpdateClock();
            if (paint)
                face->repaint();
            total += t.nsecsElapsed();
            if (i % 100 == 99)
                QCoreApplication::processEvents(); // untimed: drains the requests repaint() made redundant
        }
        QCoreApplication::processEvents();
        return double(total) / 1e6 / options.calls;
    };
    timeCalls(true); // warm-up
    orvane::bench::report("updateclock_nopaint_ms", timeCalls(false));
    facePaints.paints = labelPaints.paints = 0;
    orvane::bench::report("updateclock_ms", timeCalls(true));
    orvane::bench::report("face_paints_per_call", double(facePaints.paints) / options.calls);
    orvane::bench::report("label_paints_per_call", double(labelPaints.paints) / options.calls);
    return 0;
}
