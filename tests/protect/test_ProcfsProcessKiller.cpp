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

    void processThatBecomesATaskManager() {
        // A process listed under one name that then execs a task manager keeps its pid: it is caught at
        // the next call while it is new, and by the periodic full reading once it is old.
        FakeProc proc;
        proc.add(300, "bash"_ba);
        proc.add(301, "bash"_ba);
        QCOMPARE(proc.end(kNames), QList<pid_t>{});
        FakeProc::write(proc.dir.file(u"300/comm"_s), "lxtask\n"_ba);
        QCOMPARE(proc.end(kNames), QList<pid_t>{300});

        for (int call = 2; call <= ProcfsProcessKiller::youngCalls; ++call)
            QCOMPARE(proc.end(kNames), QList<pid_t>{300});
        FakeProc::write(proc.dir.file(u"301/comm"_s), "lxtask\n"_ba);
        int calls = 1;
        while (!proc.end(kNames).contains(301)) {
            ++calls;
            QVERIFY2(calls <= ProcfsProcessKiller::rescanEvery, "an old process is never read again");
        }
    }

    void missingProcFolderEndsNothing() {
        ProcfsProcessKiller killer(u"/nonexistent-proc"_s, [](pid_t, int) { return 0; });
        QCOMPARE(killer.endProcesses(kNames), 0);
    }
};

ORVANE_TEST(ProcfsProcessKillerTest)
#include "test_ProcfsProcessKiller.moc"
