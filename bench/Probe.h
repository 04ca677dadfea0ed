// What the benchmark programs share: their options, clocks, RSS and CPU readings, and the start probe.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace orvane::bench {

struct Options {
    QString data;               // --data DIR: the data folder (bench_startup)
    qint64 t0Ns = 0;            // --t0 S.US: wall clock right before exec (bash $EPOCHREALTIME); 0 = unknown
    bool exitAfterShow = false; // --exit-after-show
    double rssAfterS = 0;       // --rss-after S: report the RSS this long after t0
    double idleS = 0;           // --idle S: report the CPU used over this long once settled
    double settleS = 5;         // --settle S: the idle window opens this long after t0
    int seed = 0;               // --seed N: add N alarms to the database and end (bench_startup)
    int alarms = 10000;         // --alarms N (bench_alarm_list)
    int reloads = 9;            // --reloads N (bench_alarm_list)
    int calls = 2000;           // --calls N (bench_alarm_list)
};

// Reads the options above; an unknown option or a missing value ends the program with a message.
Options parseOptions(int argc, char** argv);

qint64 wallNs();      // CLOCK_REALTIME, the clock $EPOCHREALTIME reads
qint64 cpuNs();       // user + system CPU time of this process (getrusage)
qint64 threadCpuNs(); // CPU time of the calling thread: less sensitive than wall time to a busy machine
qint64 rssKb(const char* field = "VmRSS"); // a line of /proc/self/status, in kB

// One machine-readable "key=value" line on stdout, flushed at once.
void report(const char* key, double value);

// Reports how long after exec the window was first painted, then the RSS and idle CPU on request, and
// ends the event loop when everything asked for has been reported.
class StartProbe : public QObject {
    Q_OBJECT
public:
    // entered: wallNs() read first thing in main(); stands in for t0 when none was given.
    StartProbe(const Options& options, qint64 entered);
    void mark(const char* key) const; // key=ms since t0, now
    void watch(QWidget* shownWindow); // call right after show()

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void painted();
    void at(double secondsAfterT0, void (StartProbe::*step)());
    void reportRss();
    void openIdleWindow();
    void closeIdleWindow();
    void done();

    Options options_;
    qint64 t0Ns_;
    QWidget* window_ = nullptr;
    bool exposed_ = false;
    int pending_ = 0;
    qint64 idleWallNs_ = 0, idleCpuNs_ = 0;
};

} // namespace orvane::bench
