// The real window on the real clock: how late each tick runs after its second, each ring after its minute.
#include "alarm/AlarmCodec.h"
#include "alarm/AlarmEngine.h"
#include "alarm/AlarmLists.h"
#include "alarm/AlarmModel.h"
#include "alarm/AlarmPage.h"
#include "alarm/AlarmTable.h"
#include "alarm/AlarmTime.h"
#include "app/MainWindow.h"
#include "app/RealServices.h"
#include "app/SecondTicker.h"
#include "bench/Probe.h"
#include "bench/RecordingSound.h"
#include "bench/SeedAlarms.h"
#include "resources/resources.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

namespace {

constexpr int kSettleTicks = 2; // the first ticks share their second with the first paints of the window
constexpr qint64 kNsPerMs = 1000000;

// The system clock, noting when each read happened and which time it gave.
class RecordingClock final : public orvane::Clock {
public:
    struct Read {
        qint64 wallNs;
        QDateTime time;
    };
    QDateTime now() const override {
        const QDateTime t = system_.now();
        reads_.push_back({orvane::bench::wallNs(), t});
        return t;
    }
    std::vector<Read> take() { return std::exchange(reads_, {}); }

private:
    orvane::SystemClock system_;
    mutable std::vector<Read> reads_;
};

// One sample per tick, taken by a slot connected after the window's own: it runs once onTick (clock
// update, day texts, scheduler) has returned. Ends the event loop once enough ticks and rings were seen.
class TickProbe : public QObject {
public:
    TickProbe(RecordingClock& clock, const orvane::bench::RecordingSound& sound, int ticks, int rings)
        : clock_(clock), sound_(sound), ticks_(ticks), rings_(rings) {}

    void afterTick() {
        const qint64 end = orvane::bench::wallNs();
        std::vector<RecordingClock::Read> reads = clock_.take();
        // Reads older than half a second are the ticker's re-arm after the previous tick; the first read
        // left is the clock update's, onTick's first step, and its time is the second the tick shows.
        std::erase_if(reads,
                      [end](const RecordingClock::Read& r) { return r.wallNs < end - 500 * kNsPerMs; });
        if (reads.empty())
            return;
        const qint64 ms = reads.front().time.toMSecsSinceEpoch();
        const qint64 second = ms - ms % 1000;
        if (lastSecond_ != 0 && second == lastSecond_)
            ++repeated;
        else if (lastSecond_ != 0 && second > lastSecond_ + 1000)
            skipped += int((second - lastSecond_) / 1000 - 1);
        lastSecond_ = second;
        if (++seen_ > kSettleTicks) {
            updateMs.push_back(double(reads.front().wallNs - second * kNsPerMs) / 1e6);
            doneMs.push_back(double(end - second * kNsPerMs) / 1e6);
        }
        if (int(doneMs.size()) >= ticks_ && int(sound_.plays.size()) >= rings_)
            QCoreApplication::quit();
    }

    std::vector<double> updateMs, doneMs;
    int skipped = 0, repeated = 0;

private:
    RecordingClock& clock_;
    const orvane::bench::RecordingSound& sound_;
    int ticks_, rings_;
    int seen_ = 0;
    qint64 lastSecond_ = 0;
};

int intOption(const QCommandLineParser& parser, const QString& name) {
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < 0) {
        std::fprintf(stderr, "bench_tick: --%s needs a number\n", qPrintable(name));
        std::exit(2);
    }
    return value;
}

// Nearest rank: the smallest sample that at least fraction of all samples do not exceed.
double percentile(std::vector<double> values, double fraction) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto rank = std::size_t(std::ceil(fraction * double(values.size())));
    return values.at(std::clamp<std::size_t>(rank, 1, values.size()) - 1);
}

void reportSpread(const char* name, const std::vector<double>& ms) {
    const std::string key(name);
    orvane::bench::report((key + "_median_ms").c_str(), percentile(ms, 0.5));
    orvane::bench::report((key + "_p99_ms").c_str(), percentile(ms, 0.99));
    orvane::bench::report((key + "_max_ms").c_str(), percentile(ms, 1.0));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane-clock"));
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({{QStringLiteral("ticks"), QStringLiteral("ticks to measure"), QStringLiteral("N"),
                        QStringLiteral("120")},
                       {QStringLiteral("rings"), QStringLiteral("alarms to see ring"), QStringLiteral("N"),
                        QStringLiteral("2")},
                       {QStringLiteral("alarms"), QStringLiteral("past alarms in the list besides"),
                        QStringLiteral("N"), QStringLiteral("1000")}});
    parser.process(app);
    const int ticks = intOption(parser, QStringLiteral("ticks"));
    const int rings = intOption(parser, QStringLiteral("rings"));
    const int alarms = intOption(parser, QStringLiteral("alarms"));
    orvaneInitResources();

    QTemporaryDir temp;
    RecordingClock clock;
    orvane::bench::RecordingSound sound;
    orvane::RealServices real(orvane::Paths::under(temp.path()), &clock, &sound);
    orvane::MainWindow window(real.services());
    real.setParentWindow(&window);
    if (!window.StartUp() || !orvane::bench::seedAlarms(window.database(), alarms)) {
        std::fprintf(stderr, "bench_tick: start-up or seeding failed\n");
        return 1;
    }

    // One alarm for each of the next minutes (one more than asked for, in case start-up crossed a minute):
    // every day, ringing a file of its own, no reminder window. The minute of the start is never scanned.
    const QDateTime started = QDateTime::currentDateTime();
    const QDateTime minute(started.date(), QTime(started.time().hour(), started.time().minute()));
    std::map<QString, qint64> dueNs; // ring file -> wall clock of the whole due minute
    for (int k = 1; k <= rings + 1; ++k) {
        const QDateTime due = minute.addSecs(60LL * k);
        const QString file = temp.filePath(QStringLiteral("ring-%1.mp3").arg(k));
        if (!window.database().execute(
                orvane::alarmsql::insert(),
                {QString(QStringLiteral("每天|") + orvane::dueText(orvane::minuteKey(due))),
                 QString(QStringLiteral("真|") + file), QStringLiteral("假|响铃 %1").arg(k)})) {
            std::fprintf(stderr, "bench_tick: cannot add the alarms to ring\n");
            return 1;
        }
        dueNs[file] = due.toMSecsSinceEpoch() * kNsPerMs;
    }
    window.engine().reload();

    // The window's own connection was made in its constructor, so this slot runs after onTick.
    auto* ticker = window.findChild<orvane::SecondTicker*>();
    if (ticker == nullptr) {
        std::fprintf(stderr, "bench_tick: the window has no SecondTicker\n");
        return 1;
    }
    TickProbe probe(clock, sound, ticks, rings);
    QObject::connect(ticker, &orvane::SecondTicker::tick, &probe, &TickProbe::afterTick);
    // A run that never sees its rings still ends, and reports what it has.
    const int limitS = kSettleTicks + ticks + 60 * (rings + 1) + 10;
    QTimer::singleShot(limitS * 1000, &app, &QCoreApplication::quit);

    window.show();
    window.startTicking();
    clock.take();
    app.exec();

    orvane::bench::report("alarms_listed", window.alarmPage()->lists().shown->topLevelItemCount());
    orvane::bench::report("ticks", double(probe.doneMs.size()));
    reportSpread("tick_update", probe.updateMs);
    reportSpread("tick_done", probe.doneMs);
    orvane::bench::report("ticks_skipped", probe.skipped);
    orvane::bench::report("ticks_repeated", probe.repeated);

    double ringMax = 0;
    int rung = 0;
    for (const auto& play : sound.plays) {
        const auto due = dueNs.find(play.file);
        if (due == dueNs.end())
            continue;
        const double ms = double(play.wallNs - due->second) / 1e6;
        ringMax = std::max(ringMax, ms);
        ++rung;
        orvane::bench::report(QStringLiteral("ring_%1_ms").arg(rung).toUtf8().constData(), ms);
    }
    orvane::bench::report("rings", rung);
    orvane::bench::report("ring_max_ms", ringMax);
    return 0;
}
