// In-process timing of the scheduler's tick over many alarms: the scan in a new minute, and the other ticks.
#include "alarm/AlarmModel.h"
#include "alarm/Scheduler.h"
#include "app/AppDatabase.h"
#include "bench/Probe.h"
#include "bench/SeedAlarms.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Stands still where it is set: each timed call reads exactly the time chosen for it.
class SetClock final : public orvane::Clock {
public:
    QDateTime now() const override { return now_; }
    void set(const QDateTime& t) { now_ = t; }

private:
    QDateTime now_;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values.at(values.size() / 2);
}

int intOption(const QCommandLineParser& parser, const QString& name) {
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < 1) {
        std::fprintf(stderr, "bench_scan: --%s needs a positive number\n", qPrintable(name));
        std::exit(2);
    }
    return value;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({{QStringLiteral("alarms"), QStringLiteral("alarms in the list"), QStringLiteral("N"),
                        QStringLiteral("10000")},
                       {QStringLiteral("minutes"), QStringLiteral("minutes whose 60 ticks are timed"),
                        QStringLiteral("N"), QStringLiteral("50")}});
    parser.process(app);
    const int alarms = intOption(parser, QStringLiteral("alarms"));
    const int minutes = intOption(parser, QStringLiteral("minutes"));

    // The model as the program holds it, loaded from a temporary database.
    QTemporaryDir temp;
    const orvane::Paths paths = orvane::Paths::under(temp.path());
    paths.makeFolders();
    const QString file = paths.windowsFile(QStringLiteral("dbtime.mdb"));
    orvane::Database db;
    orvane::AlarmModel model(db);
    if (!orvane::ensureDatabaseFile(file) ||
        orvane::openAlarmDatabase(db, file) != orvane::DatabaseOpen::Opened ||
        !orvane::bench::seedAlarms(db, alarms)) {
        std::fprintf(stderr, "bench_scan: cannot make the database in %s\n", qPrintable(temp.path()));
        return 1;
    }
    model.LoadAlarmList();

    // The seeded alarms first ring in 2099: none rings in a minute of 2026, so every scan reads every row.
    const QDateTime start(QDate(2026, 12, 17), QTime(8, 5, 30));
    SetClock clock;
    clock.set(start);
    orvane::Scheduler scheduler(orvane::minuteKey(start), model);
    int fired = 0;
    QObject::connect(&scheduler, &orvane::Scheduler::fired, &app, [&fired] { ++fired; });

    // Minute 0 warms up (its scan is the first after the load, which cuts every alarm's texts);
    // then, for each minute, its second 0 (a new minute: the scan) and seconds 1–59.
    std::vector<double> scanMs, scanCpuMs; // CPU time tells a slow scan from one the machine held up
    double firstScanMs = 0;
    qint64 otherNs = 0, otherCalls = 0;
    for (int m = 0; m <= minutes; ++m) {
        const QDateTime minute = QDateTime(start.date(), QTime(8, 6)).addSecs(60LL * m);
        for (int s = 0; s < 60; ++s) {
            clock.set(minute.addSecs(s));
            const qint64 cpu = orvane::bench::threadCpuNs();
            QElapsedTimer t;
            t.start();
            scheduler.AlarmScheduler(clock.now());
            const qint64 ns = t.nsecsElapsed();
            if (m == 0) {
                firstScanMs = s == 0 ? double(ns) / 1e6 : firstScanMs;
                continue;
            }
            if (s == 0) {
                scanMs.push_back(double(ns) / 1e6);
                scanCpuMs.push_back(double(orvane::bench::threadCpuNs() - cpu) / 1e6);
            } else {
                otherNs += ns;
                ++otherCalls;
            }
        }
    }
    if (fired != 0) {
        std::fprintf(stderr, "bench_scan: an alarm fired, so a scan stopped early\n");
        return 1;
    }

    // What QElapsedTimer itself costs, to read the tiny figure of the ticks that only read the clock.
    qint64 emptyNs = 0;
    for (int i = 0; i < 10000; ++i) {
        QElapsedTimer t;
        t.start();
        emptyNs += t.nsecsElapsed();
    }

    orvane::bench::report("alarms_listed", model.size());
    orvane::bench::report("scans", double(scanMs.size()));
    orvane::bench::report("scan_median_ms", median(scanMs));
    orvane::bench::report("first_scan_ms", firstScanMs);
    orvane::bench::report("scan_min_ms", *std::min_element(scanMs.begin(), scanMs.end()));
    orvane::bench::report("scan_max_ms", *std::max_element(scanMs.begin(), scanMs.end()));
    orvane::bench::report("scan_cpu_median_ms", median(scanCpuMs));
    orvane::bench::report("scan_cpu_max_ms", *std::max_element(scanCpuMs.begin(), scanCpuMs.end()));
    orvane::bench::report("other_ticks", double(otherCalls));
    std::printf("other_tick_mean_ms=%.6f\n", double(otherNs) / 1e6 / double(otherCalls));
    std::printf("timer_overhead_ms=%.6f\n", double(emptyNs) / 1e6 / 10000.0);
    return 0;
}
