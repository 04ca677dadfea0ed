// Finds processes by name in /proc and sends them SIGTERM.
#include "platform/ProcfsProcessKiller.h"

#include "common/Log.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace orvane {

namespace {
// The kernel keeps only the first 15 bytes of a process name in "comm".
constexpr qsizetype kCommLength = 15;
// Up to this many new pids are tried one by one; more (a burst of forks, the counter wrapping) take one
// listing of /proc instead.
constexpr qint64 kProbeLimit = 64;
// The kernel's largest possible pid_max, for a tree without sys/kernel/pid_max.
constexpr pid_t kPidMaxLimit = 4194304;

// One small read of a /proc file, without QFile: this runs every 10 ms.
QByteArray readSmallFile(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[256];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}

std::optional<pid_t> readPid(const QByteArray& path) {
    bool ok = false;
    const pid_t pid = pid_t(readSmallFile(path).trimmed().toLong(&ok));
    return ok && pid >= 0 ? std::optional(pid) : std::nullopt;
}

QByteArray baseName(QByteArray path) {
    // A Windows program under Wine names itself with backslashes.
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(cut + 1);
}

bool sameName(QByteArrayView a, QByteArrayView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isPid(const char* name) {
    if (*name == '\0')
        return false;
    for (; *name != '\0'; ++name)
        if (*name < '0' || *name > '9')
            return false;
    return true;
}

} // namespace

ProcfsProcessKiller::ProcfsProcessKiller(QString procRoot, Signaller signaller)
    : root_(QFile::encodeName(procRoot) + '/'), signaller_(std::move(signaller)), self_(::getpid()),
      pidMax_(readPid(root_ + "sys/kernel/pid_max").value_or(kPidMaxLimit)) {
    if (!signaller_)
        signaller_ = [](pid_t pid, int signal) { return ::kill(pid, signal); };
}

int ProcfsProcessKiller::endProcesses(const QStringList& executableNames) {
    if (executableNames != givenNames_) { // the lock passes the same list every time
        givenNames_ = executableNames;
        names_.clear();
        for (const QString& name : executableNames)
            names_.append(name.toUtf8());
    }
    const std::optional<pid_t> last = readLastPid();
    // Without the counter, or at the first call, every process is read.
    const bool everyProcess = !last || !lastPid_ || calls_ % rescanEvery == 0;
    std::optional<PidRange> fresh;
    if (last && lastPid_ && *last != *settled_)
        fresh = PidRange{*settled_, *last};
    ++calls_;
    int asked = 0;
    if (everyProcess)
        asked += sweep(fresh, true);
    else if (fresh)
        asked += examineRange(*fresh);
    asked += examineYoung();
    // A pid is taken a moment before its process shows in /proc: the pids that came with the previous
    // reading are tried once more now, and settled only then.
    settled_ = lastPid_ ? lastPid_ : last;
    lastPid_ = last;
    return asked;
}

ProcfsProcessKiller::~ProcfsProcessKiller() {
    if (counterFd_ >= 0)
        ::close(counterFd_);
}

std::optional<pid_t> ProcfsProcessKiller::readLastPid() {
    // Kept open: each system call counts at 100 calls a second.
    if (counterFd_ < 0)
        counterFd_ = ::open(QByteArray(root_ + "sys/kernel/ns_last_pid").constData(), O_RDONLY | O_CLOEXEC);
    if (counterFd_ < 0) {
        if (!counterMissingLogged_)
            qCWarning(lcLock) << "no pid counter under" << root_ << "- every lock tick lists all processes";
        counterMissingLogged_ = true;
        return std::nullopt;
    }
    char buffer[32];
    const ssize_t n = ::pread(counterFd_, buffer, sizeof buffer, 0);
    bool ok = false;
    const pid_t pid = n > 0 ? pid_t(QByteArrayView(buffer, n).trimmed().toLong(&ok)) : 0;
    return ok && pid >= 0 ? std::optional(pid) : std::nullopt;
}

int ProcfsProcessKiller::sweep(const std::optional<PidRange>& fresh, bool everyProcess) {
    DIR* dir = ::opendir(root_.constData());
    if (dir == nullptr)
        return 0;
    int asked = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isPid(entry->d_name))
            continue;
        const pid_t pid = pid_t(std::strtol(entry->d_name, nullptr, 10));
        if (fresh && fresh->contains(pid))
            asked += examineNew(pid);
        else if (everyProcess && pid != self_)
            asked += examine(pid, root_ + entry->d_name) == Outcome::Asked;
    }
    ::closedir(dir);
    return asked;
}

int ProcfsProcessKiller::examineRange(const PidRange& range) {
    const qint64 count =
        range.from < range.to ? range.to - range.from : qint64(pidMax_) - range.from + range.to;
    if (count > kProbeLimit)
        return sweep(range, false);
    int asked = 0;
    for (pid_t pid = range.from; pid != range.to;) {
        pid = pid + 1 >= pidMax_ ? 1 : pid + 1;
        asked += examineNew(pid);
    }
    return asked;
}

int ProcfsProcessKiller::examineNew(pid_t pid) {
    if (pid == self_)
        return 0;
    const QByteArray pidDir = root_ + QByteArray::number(pid);
    // A new thread takes a pid too; it is not a process of its own (and may be one of ours).
    if (isOtherThread(pidDir, pid))
        return 0;
    const Outcome outcome = examine(pid, pidDir);
    if (outcome == Outcome::Gone)
        return 0;
    young_[pid] = Young{calls_, calls_};
    return outcome == Outcome::Asked;
}

int ProcfsProcessKiller::examineYoung() {
    int asked = 0;
    for (auto it = young_.begin(); it != young_.end();) {
        Young& young = it.value();
        if (young.lastRead == calls_) { // read by this call already
            ++it;
            continue;
        }
        const Outcome outcome = calls_ - young.born >= quint64(youngCalls)
                                    ? Outcome::Gone
                                    : examine(it.key(), root_ + QByteArray::number(it.key()));
        if (outcome == Outcome::Gone) {
            it = young_.erase(it);
            continue;
        }
        young.lastRead = calls_;
        asked += outcome == Outcome::Asked;
        ++it;
    }
    return asked;
}

ProcfsProcessKiller::Outcome ProcfsProcessKiller::examine(pid_t pid, const QByteArray& pidDir) {
    QByteArray comm = readSmallFile(pidDir + "/comm");
    if (comm.endsWith('\n'))
        comm.chop(1);
    if (comm.isEmpty())
        return Outcome::Gone;
    for (const QByteArray& name : names_) {
        if (!sameName(comm, QByteArrayView(name).first(std::min(name.size(), kCommLength))))
            continue;
        if (!fullNameMatches(pidDir, comm, name))
            continue;
        return signaller_(pid, SIGTERM) == 0 ? Outcome::Asked : Outcome::Spared;
    }
    return Outcome::Spared;
}

bool ProcfsProcessKiller::isOtherThread(const QByteArray& pidDir, pid_t pid) {
    // "Tgid:" is the fourth line of status, well inside the first 256 bytes.
    const QByteArray status = readSmallFile(pidDir + "/status");
    const qsizetype at = status.indexOf("\nTgid:");
    if (at < 0)
        return false;
    const qsizetype end = status.indexOf('\n', at + 1);
    bool ok = false;
    const long tgid = status.mid(at + 6, end < 0 ? -1 : end - at - 6).trimmed().toLong(&ok);
    return ok && tgid != pid;
}

bool ProcfsProcessKiller::fullNameMatches(const QByteArray& pidDir, const QByteArray& comm,
                                          const QByteArray& name) {
    // A comm shorter than the limit is the whole name; one at the limit may have been cut, so the
    // executable's path or the first word of the command line must confirm it.
    if (comm.size() < kCommLength)
        return true;
    char target[4096];
    if (const ssize_t n = ::readlink(QByteArray(pidDir + "/exe").constData(), target, sizeof target); n > 0)
        if (sameName(baseName(QByteArray(target, n)), name))
            return true;
    const QByteArray cmdline = readSmallFile(pidDir + "/cmdline");
    return sameName(baseName(cmdline.left(cmdline.indexOf('\0'))), name);
}

} // namespace orvane
