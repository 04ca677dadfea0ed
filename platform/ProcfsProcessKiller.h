// ProcessKiller over /proc and kill(SIGTERM).
#pragma once

#include "platform/ProcessKiller.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <functional>
#include <sys/types.h>

namespace orvane {

// Reading every process's name at every call would cost about a millisecond per 400 processes, every
// 10 ms; so each call lists /proc, reads the names of processes it has not known for long (a new process
// takes its final name when it execs), and reads all of them again every so many calls.
class ProcfsProcessKiller final : public ProcessKiller {
public:
    // A process's name is read at each of its first youngCalls calls, and every name at every
    // rescanEvery-th call.
    static constexpr int youngCalls = 100;
    static constexpr int rescanEvery = 100;

    using Signaller = std::function<int(pid_t, int)>;
    // procRoot and signaller are for tests: a fake /proc tree and a recorder instead of kill().
    explicit ProcfsProcessKiller(QString procRoot = QStringLiteral("/proc"), Signaller signaller = {});

    int endProcesses(const QStringList& executableNames) override;

private:
    struct Seen {
        QByteArray comm;
        int age = 0;
        quint64 call = 0; // the last call that listed it
    };
    static bool fullNameMatches(const QByteArray& pidDir, const QByteArray& comm, const QByteArray& name);

    QString procRoot_;
    Signaller signaller_;
    QHash<pid_t, Seen> seen_;
    quint64 calls_ = 0;
};

} // namespace orvane
