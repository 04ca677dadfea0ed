// ProcfsProcessKiller over a made-up /proc tree, with a recorder in place of kill(): which processes
// it would end. No real process is ever signalled.
#include "TempDir.h"
#include "TestRegistry.h"
#include "platform/ProcfsProcessKiller.h"

#include <QtTest>

#include <csignal>
#include <unistd.h>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

struct FakeProc {
    TempDir dir;
    const bool kernelFiles = setKernel("pid_max"_ba, 32768) && setKernel("ns_last_pid"_ba, 1);
    QList<std::pair<pid_t, int>> signalled;
    ProcfsProcessKiller killer{dir.path(), [this](pid_t pid, int signal) {
                                   signalled.append({pid, signal});
                                   return 0;
                               }};

    // A process directory with its comm (cut to 15 bytes as the kernel does), and optionally the
    // target of its exe link and its command line.
    void add(pid_t pid, const QByteArray& name, const QString& exe = {}, const QByteArray& cmdline = {}) {
        const QString d = dir.file(QString::number(pid));
        QVERIFY(QDir().mkpath(d));
        write(d + u"/comm"_s, name.left(15) + '\n');
        if (!exe.isEmpty())
            QVERIFY(QFile::link(exe, d + u"/exe"_s));
        write(d + u"/cmdline"_s, cmdline);
    }
    // The pid counter of sys/kernel; false when it cannot be written.
    bool setKernel(const QByteArray& file, int value) {
        const QString path = dir.file(u"sys/kernel/"_s + QLatin1StringView(file));
        if (!QDir().mkpath(dir.file(u"sys/kernel"_s)))
            return false;
        write(path, QByteArray::number(value) + '\n');
        return QFile::exists(path);
    }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QList<pid_t> end(const QStringList& names) {
        signalled.clear();
        killer.endProcesses(names);
        QList<pid_t> pids;
        for (const auto& [pid, signal] : signalled) {
            if (signal != SIGTERM)
                return {-1};
            pids.append(pid);
        }
        std::sort(pids.begin(), pids.end());
        return pids;
    }
};

const QStringList kNames{u"gnome-system-monitor"_s, u"lxtask"_s, u"taskmgr.exe"_s};

} // namespace

class ProcfsProcessKillerTest : public QObject {
    Q_OBJECT
private slots:
    void matching_data() {
        QTest::addColumn<QByteArray>("comm");
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QByteArray>("cmdline");
        QTest::addColumn<bool>("ended");
        QTest::newRow("short name whole in comm") << "lxtask"_ba << u""_s << ""_ba << true;
        QTest::newRow("name compared ignoring case") << "LXTask"_ba << u""_s << ""_ba << true;
        QTest::newRow("longer name is another program") << "lxtask2"_ba << u""_s << ""_ba << false;
        QTest::newRow("prefix is another program") << "lxtas"_ba << u""_s << ""_ba << false;
        QTest::newRow("cut comm confirmed by exe")
            << "gnome-system-monitor"_ba << u"/usr/bin/gnome-system-monitor"_s << ""_ba << true;
        QTest::newRow("cut comm confirmed by command line")
            << "gnome-system-monitor"_ba << u""_s << "/usr/bin/gnome-system-monitor\0--tab"_ba << true;
        QTest::newRow("cut comm of another program sharing 15 bytes")
            << "gnome-system-monitor-helper"_ba << u"/usr/libexec/gnome-system-monitor-helper"_s
            << "/usr/libexec/gnome-system-monitor-helper"_ba << false;
        QTest::newRow("cut comm unconfirmed") << "gnome-system-monitor"_ba << u""_s << ""_ba << false;
        QTest::newRow("Windows program under Wine") << "taskmgr.exe"_ba << u"/usr/bin/wine64-preloader"_s
                                                    << "C:\\windows\\system32\\taskmgr.exe"_ba << true;
    }
    void matching() {
        QFETCH(QByteArray, comm);
        QFETCH(QString, exe);
        QFETCH(QByteArray, cmdline);
        QFETCH(bool, ended);
        FakeProc proc;
        proc.add(4242, comm, exe, cmdline);
        proc.add(7, "bash"_ba);
        QCOMPARE(proc.end(kNames), ended ? QList<pid_t>{4242} : QList<pid_t>{});
    }

    void everyInstanceButThisProcess() {
        FakeProc proc;
        proc.add(100, "lxtask"_ba);
        proc.add(200, "lxtask"_ba);
        proc.add(::getpid(), "lxtask"_ba); // the lock's own process is never ended
        QVERIFY(QDir().mkpath(proc.dir.file(u"self"_s)));
        QCOMPARE(proc.end(kNames), (QList<pid_t>{100, 200}));
    }

    void newProcesses_data() {
        // Each step is one call: "counter | pid=comm made or renamed before it | pids ended". The counter
        // is sys/kernel/ns_last_pid ("-": no such file); pid_max is 32768.
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("manager running before the first call")
            << QStringList{u"900 | 500=lxtask 7=bash | 500"_s};
        QTest::newRow("nothing new: /proc is not listed again")
            << QStringList{u"7 | 7=bash |"_s, u"7 | 600=lxtask |"_s};
        QTest::newRow("process made since the last call")
            << QStringList{u"7 | 7=bash |"_s, u"8 | 8=lxtask | 8"_s};
        QTest::newRow("many new pids at once, found by listing")
            << QStringList{u"7 | 7=bash |"_s, u"500 | 100=bash 499=lxtask | 499"_s};
        QTest::newRow("pid reused by a manager after the counter wrapped")
            << QStringList{u"310 | 300=bash |"_s, u"300 | 300=lxtask | 300"_s};
        QTest::newRow("few new pids across pid_max, tried one by one")
            << QStringList{u"32760 | 7=bash |"_s, u"3 | 32767=lxtask 2=lxtask | 2 32767"_s};
        QTest::newRow("fork, then exec of a manager without a new pid")
            << QStringList{u"7 | 7=bash |"_s, u"8 | 8=bash |"_s, u"8 | |"_s, u"8 | 8=lxtask | 8"_s};
        QTest::newRow("process shown in /proc after its pid was counted")
            << QStringList{u"7 | 7=bash |"_s, u"9 | 8=bash |"_s, u"9 | 9=lxtask | 9"_s};
        QTest::newRow("without a counter every call lists /proc")
            << QStringList{u"- | 7=bash |"_s, u"- | 600=lxtask | 600"_s};
    }
    void newProcesses() {
        QFETCH(QStringList, steps);
        FakeProc proc;
        QVERIFY(proc.kernelFiles);
        for (const QString& step : steps) {
            const QStringList parts = step.split(u'|');
            QCOMPARE(parts.size(), 3);
            const QString counter = parts[0].trimmed();
            if (const QString file = proc.dir.file(u"sys/kernel/ns_last_pid"_s); counter == u"-")
                QVERIFY(!QFile::exists(file) || QFile::remove(file));
            else
                QVERIFY(proc.setKernel("ns_last_pid"_ba, counter.toInt()));
            for (const QString& process : parts[1].split(u' ', Qt::SkipEmptyParts)) {
                const QStringList pidComm = process.split(u'=');
                proc.add(pidComm[0].toInt(), pidComm[1].toUtf8());
            }
            QList<pid_t> ended;
            for (const QString& pid : parts[2].split(u' ', Qt::SkipEmptyParts))
                ended.append(pid.toInt());
            QVERIFY2(proc.end(kNames) == ended, qPrintable(step));
        }
    }

    void oldProcessThatBecomesATaskManager() {
        // An old process that execs a task manager keeps its pid and moves no counter: the periodic
        // reading of every process finds it.
        FakeProc proc;
        proc.add(301, "bash"_ba);
        QCOMPARE(proc.end(kNames), QList<pid_t>{});
        FakeProc::write(proc.dir.file(u"301/comm"_s), "lxtask\n"_ba);
        int calls = 1;
        while (!proc.end(kNames).contains(301)) {
            ++calls;
            QVERIFY2(calls <= ProcfsProcessKiller::rescanEvery, "an old process is never read again");
        }
    }

    void missingProcFolderEndsNothing() {
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"^no pid counter under \"/nonexistent-proc/\""_s));
        ProcfsProcessKiller killer(u"/nonexistent-proc"_s, [](pid_t, int) { return 0; });
        QCOMPARE(killer.endProcesses(kNames), 0);
    }
};

ORVANE_TEST(ProcfsProcessKillerTest)
#include "test_ProcfsProcessKiller.moc"
