// Finds processes by name in /proc and sends them SIGTERM.
#include "platform/ProcfsProcessKiller.h"

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

// One small read of a /proc file, without QFile: this runs for every process every 10 ms.
QByteArray readSmallFile(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[256];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
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
    : procRoot_(std::move(procRoot)), signaller_(std::move(signaller)) {
    if (!signaller_)
        signaller_ = [](pid_t pid, int signal) { return ::kill(pid, signal); };
}

int ProcfsProcessKiller::endProcesses(const QStringList& executableNames) {
    QList<QByteArray> names;
    for (const QString& name : executableNames)
        names.append(name.toUtf8());
    const QByteArray root = QFile::encodeName(procRoot_) + '/';
    DIR* dir = ::opendir(root.constData());
    if (dir == nullptr)
        return 0;
    const pid_t self = ::getpid();
    const bool rescan = calls_ % rescanEvery == 0;
    ++calls_;
    int asked = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isPid(entry->d_name))
            continue;
        const pid_t pid = pid_t(std::strtol(entry->d_name, nullptr, 10));
        if (pid == self)
            continue;
        const QByteArray pidDir = root + entry->d_name;
        Seen& seen = seen_[pid];
        if (rescan || seen.age < youngCalls) {
            seen.comm = readSmallFile(pidDir + "/comm");
            if (seen.comm.endsWith('\n'))
                seen.comm.chop(1);
        }
        ++seen.age;
        seen.call = calls_;
        if (seen.comm.isEmpty())
            continue;
        for (const QByteArray& name : names) {
            if (!sameName(seen.comm, QByteArrayView(name).first(std::min(name.size(), kCommLength))))
                continue;
            if (!fullNameMatches(pidDir, seen.comm, name))
                continue;
            if (signaller_(pid, SIGTERM) == 0)
                ++asked;
            break;
        }
    }
    ::closedir(dir);
    // Forget the processes that are gone, so a reused pid is read as new.
    seen_.removeIf([this](const auto& it) { return it.value().call != calls_; });
    return asked;
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
