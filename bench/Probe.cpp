// Options, clock, RSS and CPU readings, and the start probe of the benchmark programs.
#include "bench/Probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace orvane::bench {

namespace {

[[noreturn]] void usage(const char* problem, const char* arg) {
    std::fprintf(stderr,
                 "%s: %s\noptions: --data DIR --t0 S.US --exit-after-show --rss-after S --idle S --settle S "
                 "--seed N --alarms N --reloads N --calls N\n",
                 problem, arg);
    std::exit(2);
}

// "1700000000.123456" (seconds, as $EPOCHREALTIME gives them) or whole nanoseconds (date +%s%N).
qint64 parseT0(const QString& text) {
    const qsizetype dot = text.indexOf(u'.');
    if (dot < 0)
        return text.toLongLong();
    const QString fraction = QString(text.mid(dot + 1) + QStringLiteral("000000000")).left(9);
    return text.left(dot).toLongLong() * 1000000000LL + fraction.toLongLong();
}

} // namespace

Options parseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const char* name = argv[i];
        if (std::strcmp(name, "--exit-after-show") == 0) {
            o.exitAfterShow = true;
            continue;
        }
        if (i + 1 >= argc)
            usage("missing value or unknown option", name);
        const QString value = QString::fromLocal8Bit(argv[++i]);
        if (std::strcmp(name, "--data") == 0)
            o.data = value;
        else if (std::strcmp(name, "--t0") == 0)
            o.t0Ns = parseT0(value);
        else if (std::strcmp(name, "--rss-after") == 0)
            o.rssAfterS = value.toDouble();
        else if (std::strcmp(name, "--idle") == 0)
            o.idleS = value.toDouble();
        else if (std::strcmp(name, "--settle") == 0)
            o.settleS = value.toDouble();
        else if (std::strcmp(name, "--seed") == 0)
            o.seed = value.toInt();
        else if (std::strcmp(name, "--alarms") == 0)
            o.alarms = value.toInt();
        else if (std::strcmp(name, "--reloads") == 0)
            o.reloads = value.toInt();
        else if (std::strcmp(name, "--calls") == 0)
            o.calls = value.toInt();
        else
            usage("unknown option", name);
    }
    return o;
}

qint64 wallNs() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

qint64 cpuNs() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    const auto ns = [](const timeval& tv) {
        return qint64(tv.tv_sec) * 1000000000LL + qint64(tv.tv_usec) * 1000;
    };
    return ns(ru.ru_utime) + ns(ru.ru_stime);
}

qint64 threadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

qint64 rssKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

void report(const char* key, double value) {
    std::printf("%s=%.3f\n", key, value);
    std::fflush(stdout);
}

StartProbe::StartProbe(const Options& options, qint64 entered)
    : options_(options), t0Ns_(options.t0Ns > 0 ? options.t0Ns : entered) {
    report("t0_given", options.t0Ns > 0 ? 1 : 0);
    if (options.t0Ns > 0)
        report("entry_ms", double(entered - options.t0Ns) / 1e6); // exec, loading and linking
    mark("main_ms");
}

void StartProbe::mark(const char* key) const {
    report(key, double(wallNs() - t0Ns_) / 1e6);
}

void StartProbe::watch(QWidget* shownWindow) {
    window_ = shownWindow;
    shownWindow->installEventFilter(this);
    if (QWindow* handle = shownWindow->windowHandle())
        handle->installEventFilter(this);
    if (options_.exitAfterShow)
        ++pending_;
    if (options_.rssAfterS > 0) {
        ++pending_;
        at(options_.rssAfterS, &StartProbe::reportRss);
    }
    if (options_.idleS > 0) {
        ++pending_;
        at(options_.settleS, &StartProbe::openIdleWindow);
    }
}

bool StartProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && !exposed_) {
        exposed_ = true;
        mark("expose_ms");
    }
    // The whole window is painted and flushed in one pass that starts with the top-level widget's paint
    // event; a queued call runs once that pass has returned to the event loop.
    if (watched == window_ && event->type() == QEvent::Paint) {
        window_->removeEventFilter(this);
        mark("paint_start_ms");
        QMetaObject::invokeMethod(this, &StartProbe::painted, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void StartProbe::painted() {
    mark("shown_ms");
    if (QWindow* handle = window_->windowHandle())
        handle->removeEventFilter(this);
    report("cpu_ms_at_shown", double(cpuNs()) / 1e6);
    if (options_.exitAfterShow)
        done();
}

void StartProbe::at(double secondsAfterT0, void (StartProbe::*step)()) {
    const double ms = secondsAfterT0 * 1000.0 - double(wallNs() - t0Ns_) / 1e6;
    QTimer::singleShot(ms > 0 ? int(ms) : 0, Qt::PreciseTimer, this, step);
}

void StartProbe::reportRss() {
    report("rss_kb", double(rssKb()));
    report("rss_anon_kb", double(rssKb("RssAnon")));
    report("rss_file_kb", double(rssKb("RssFile")));
    done();
}

void StartProbe::openIdleWindow() {
    idleWallNs_ = wallNs();
    idleCpuNs_ = cpuNs();
    QTimer::singleShot(int(options_.idleS * 1000), Qt::PreciseTimer, this, &StartProbe::closeIdleWindow);
}

void StartProbe::closeIdleWindow() {
    const double wall = double(wallNs() - idleWallNs_);
    const double cpu = double(cpuNs() - idleCpuNs_);
    report("idle_s", wall / 1e9);
    report("idle_cpu_ms", cpu / 1e6);
    report("idle_cpu_pct", 100.0 * cpu / wall);
    done();
}

void StartProbe::done() {
    if (--pending_ == 0)
        QCoreApplication::quit();
}

} // namespace orvane::bench
