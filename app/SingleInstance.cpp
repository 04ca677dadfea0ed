// The single-instance lock: flock on a file (released by the kernel even after SIGKILL, so a crash
// never locks the user out) and a Unix socket whose every caller means "show the window".
#include "app/SingleInstance.h"

#include <QDir>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace orvane {

namespace {

bool socketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray bytes = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (size_t(bytes.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
    return true;
}

} // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {}

SingleInstance::~SingleInstance() {
    delete notifier_;
    if (listenFd_ >= 0) {
        ::close(listenFd_);
        ::unlink(QFile::encodeName(QDir(folder_).filePath(QStringLiteral("orvane-clock.sock"))));
    }
    if (lockFd_ >= 0)
        ::close(lockFd_); // releases the lock
}

QString SingleInstance::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

bool SingleInstance::claim() {
    QDir().mkpath(folder_);
    const QString socketPath = QDir(folder_).filePath(QStringLiteral("orvane-clock.sock"));
    const QByteArray lockPath =
        QFile::encodeName(QDir(folder_).filePath(QStringLiteral("orvane-clock.lock")));
    lockFd_ = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0)
        return true; // no place for a lock (read-only folder): run rather than refuse to start
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(lockFd_);
        lockFd_ = -1;
        askRunningToShow(socketPath);
        return false;
    }
    // We hold the lock, so any socket file left is a dead instance's.
    sockaddr_un address;
    if (!socketAddress(socketPath, address))
        return true;
    ::unlink(address.sun_path);
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 4) != 0) {
        if (listenFd_ >= 0)
            ::close(listenFd_);
        listenFd_ = -1;
        return true; // still the only instance; later starts just cannot raise the window
    }
    notifier_ = new QSocketNotifier(qintptr(listenFd_), QSocketNotifier::Read);
    connect(notifier_, &QSocketNotifier::activated, this, &SingleInstance::acceptCallers);
    return true;
}

void SingleInstance::acceptCallers() {
    bool called = false;
    for (int fd; (fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
        ::close(fd); // the connection itself is the message
        called = true;
    }
    if (called)
        emit activationRequested();
}

bool SingleInstance::askRunningToShow(const QString& socketPath) {
    sockaddr_un address;
    if (!socketAddress(socketPath, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

} // namespace orvane
