// The lock tick's process sweep alone: the real ProcfsProcessKiller every 10 ms, and the CPU it uses.
#include "bench/Probe.h"
#include "platform/ProcfsProcessKiller.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // --seconds N (default 30): how long to sweep; --timer-only: the same timer without the killer, the
    // share of the figure that is the event loop's.
    const QStringList args = app.arguments();
    const bool timerOnly = args.contains(u"--timer-only"_s);
    const qsizetype at = args.indexOf(u"--seconds"_s);
    const int seconds = at > 0 && at + 1 < args.size() ? args.at(at + 1).toInt() : 30;
    if (seconds < 1) {
        std::fprintf(stderr, "usage: bench_lock_sweep [--seconds N] [--timer-only]\n");
        return 2;
    }
    // The names the lock window asks for; none of them runs here, so nothing is ever signalled.
    const QStringList names{u"bench-no-such-task-manager"_s, u"another-absent-manager"_s};
    orvane::ProcfsProcessKiller killer;
    int asked = 0;
    qint64 inCallNs = 0; // CPU time inside the killer
    QTimer tick;         // as the lock window's: a coarse 10 ms timer
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, &app, [&] {
        if (timerOnly)
            return;
        const qint64 start = orvane::bench::threadCpuNs();
        asked += killer.endProcesses(names);
        inCallNs += orvane::bench::threadCpuNs() - start;
    });

    const qint64 wall0 = orvane::bench::wallNs();
    const qint64 cpu0 = orvane::bench::cpuNs();
    int ticks = 0;
    QObject::connect(&tick, &QTimer::timeout, &app, [&] { ++ticks; });
    QTimer::singleShot(seconds * 1000, &app, [&] {
        const double wall = double(orvane::bench::wallNs() - wall0);
        const double cpu = double(orvane::bench::cpuNs() - cpu0);
        orvane::bench::report("ticks", ticks);
        orvane::bench::report("asked", asked);
        orvane::bench::report("cpu_percent", 100.0 * cpu / wall);
        orvane::bench::report("cpu_us_per_tick", ticks > 0 ? cpu / 1000.0 / ticks : 0);
        orvane::bench::report("killer_us_per_call", ticks > 0 ? double(inCallNs) / 1000.0 / ticks : 0);
        app.quit();
    });
    tick.start();
    return app.exec();
}
