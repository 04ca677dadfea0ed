// ProcessKiller over /proc and kill(SIGTERM).
#pragma once

#include "platform/ProcessKiller.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <sys/types.h>

namespace orvane {

// Called every 10 ms by the lock, so it must cost next to nothing while no process starts. The kernel
// hands out pids in turn and publishes the last one (sys/kernel/ns_last_pid): every process made since
// the previous call has a pid after the one read then, up to the one read now (past pid_max, on from 1).
// So a call reads that one number and, only when it moved, the names of the pids in between: a pid that
// was reused lies in that range too. A new process takes its final name when it execs, shortly after the
// fork that gave it its pid, so a new pid's name is read again at each of its first youngCalls calls.
// The first call and every rescanEvery-th one read every process's name: an old process may exec a task
// manager, and someone with the right may set the counter. Without the counter every call does.
class ProcfsProcessKiller final : public ProcessKiller {
public:
    static constexpr int youngCalls = 50;
    static constexpr int rescanEvery = 500;

    using Signaller = std::function<int(pid_t, int)>;
    // procRoot and signaller are for tests: a fake /proc tree and a recorder instead of kill().
    explicit ProcfsProcessKiller(QString procRoot = QStringLiteral("/proc"), Signaller signaller = {});
    ~ProcfsProcessKiller() override;
    ProcfsProcessKiller(const ProcfsProcessKiller&) = delete;
    ProcfsProcessKiller& operator=(const ProcfsProcessKiller&) = delete;

    int endProcesses(const QStringList& executableNames) override;

private:
    struct Young {
        quint64 born = 0;     // the call that first read it
        quint64 lastRead = 0; // the last call that read it
    };
    enum class Outcome { Gone, Spared, Asked };
    // A cyclic range of pids (from, to]: the ones made between two readings of the counter.
    struct PidRange {
        pid_t from = 0, to = 0;
        bool contains(pid_t pid) const {
            return from < to ? pid > from && pid <= to : pid > from || pid <= to;
        }
    };

    std::optional<pid_t> readLastPid();
    // Lists /proc: reads the new pids in fresh, and every other pid too when everyProcess.
    int sweep(const std::optional<PidRange>& fresh, bool everyProcess);
    int examineRange(const PidRange& range);
    int examineNew(pid_t pid);
    int examineYoung();
    Outcome examine(pid_t pid, const QByteArray& pidDir);
    static bool isOtherThread(const QByteArray& pidDir, pid_t pid);
    static bool fullNameMatches(const QByteArray& pidDir, const QByteArray& comm, const QByteArray& name);

    QByteArray root_; // procRoot with a trailing '/'
    Signaller signaller_;
    pid_t self_;
    pid_t pidMax_;
    int counterFd_ = -1; // sys/kernel/ns_last_pid
    bool counterMissingLogged_ = false;
    QStringList givenNames_;
    QList<QByteArray> names_;
    QHash<pid_t, Young> young_;
    std::optional<pid_t> lastPid_; // the counter at the previous call
    std::optional<pid_t> settled_; // the counter two calls ago: every pid up to it was visible when read
    quint64 calls_ = 0;
};

} // namespace orvane
