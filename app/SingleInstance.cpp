// The single-instance lock: flock on a file (released by the kernel even after SIGKILL, so a crash
// never locks the user out) and a Unix socket whose every caller means "show the window"; what a caller
// writes before closing is its activation token. A caller whose first byte is the command mark instead
// hands over a command and reads the answer.
#include "app/SingleInstance.h"

#include "common/Log.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

namespace orvane {

namespace {

constexpr qsizetype kMaxToken = 4096;
// A caller writes its token and closes at once; one that stays silent and open is shown the window
// after this long, with no token.
constexpr int kCallerWaitMs = 500;
// No activation token starts with it (they are printable).
constexpr char kCommandMark = '\x01';
constexpr qsizetype kMaxCommand = 64 * 1024;
// How long a command's caller may take to send its request or to read the answer.
constexpr int kCommandWaitMs = 5000;

// One accepted connection, read as its bytes arrive, so a slow or stuck caller never blocks the GUI.
class Caller final : public QObject {
public:
    Caller(int fd, QObject* parent, std::function<void(const QByteArray&)> done,
           const SingleInstance::CommandHandler& commands)
        : QObject(parent), fd_(fd), notifier_(qintptr(fd), QSocketNotifier::Read), done_(std::move(done)),
          commands_(commands) {
        connect(&notifier_, &QSocketNotifier::activated, this, &Caller::read);
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, &Caller::timedOut);
        timer_.start(kCallerWaitMs);
    }
    ~Caller() override {
        notifier_.setEnabled(false);
        delete writable_;
        ::close(fd_);
    }

private:
    bool isCommand() const { return received_.startsWith(kCommandMark); }
    void read() {
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0) {
                const bool first = received_.isEmpty();
                // Keep one byte past the limit, so an oversized token is refused rather than cut.
                const qsizetype limit =
                    (isCommand() || (first && buffer[0] == kCommandMark) ? kMaxCommand : kMaxToken) + 1;
                received_.append(buffer, std::min<qsizetype>(n, limit - received_.size()));
                if (first && isCommand())
                    timer_.start(kCommandWaitMs);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            finish(true); // closed by the caller, or broken
            return;
        }
    }
    void timedOut() {
        if (answering_)
            deleteLater(); // the caller does not read its answer
        else
            finish(false);
    }
    void finish(bool whole) {
        notifier_.setEnabled(false);
        timer_.stop();
        if (isCommand()) {
            answer(whole);
            return;
        }
        deleteLater();
        done_(SingleInstance::activationToken(received_));
    }
    // A request cut short, too long or arriving before the program takes commands gets no answer.
    void answer(bool whole) {
        if (!whole || received_.size() > kMaxCommand || !commands_) {
            deleteLater();
            return;
        }
        reply_ = commands_(received_.sliced(1));
        answering_ = true;
        timer_.start(kCommandWaitMs);
        writable_ = new QSocketNotifier(qintptr(fd_), QSocketNotifier::Write);
        connect(writable_, &QSocketNotifier::activated, this, &Caller::write);
        write();
    }
    void write() {
        while (sent_ < reply_.size()) {
            const ssize_t n =
                ::send(fd_, reply_.constData() + sent_, size_t(reply_.size() - sent_), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            if (n <= 0)
                break;
            sent_ += n;
        }
        writable_->setEnabled(false);
        timer_.stop();
        deleteLater();
    }

    int fd_;
    QSocketNotifier notifier_;
    QSocketNotifier* writable_ = nullptr;
    QTimer timer_;
    QByteArray received_;
    QByteArray reply_;
    qsizetype sent_ = 0;
    bool answering_ = false;
    std::function<void(const QByteArray&)> done_;
    const SingleInstance::CommandHandler& commands_;
};

// The launcher's token for this start, handed to the running instance (X11 has none to hand over: Qt
// takes DESKTOP_STARTUP_ID only at start-up).
QByteArray ownActivationToken() {
    return SingleInstance::activationToken(qgetenv("XDG_ACTIVATION_TOKEN"));
}

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

bool SingleInstance::takeLock() {
    QDir().mkpath(folder_);
    const QByteArray lockPath =
        QFile::encodeName(QDir(folder_).filePath(QStringLiteral("orvane-clock.lock")));
    lockFd_ = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0) {
        // No place for a lock (read-only folder): run rather than refuse to start.
        qCWarning(lcUi) << "no single-instance lock in" << folder_ << "- a second start will run too";
        return true;
    }
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(lockFd_);
        lockFd_ = -1;
        return false;
    }
    return true;
}

bool SingleInstance::holdLock() {
    return takeLock();
}

bool SingleInstance::claim() {
    const QString socketPath = QDir(folder_).filePath(QStringLiteral("orvane-clock.sock"));
    if (!takeLock()) {
        askRunningToShow(socketPath);
        return false;
    }
    if (lockFd_ < 0)
        return true;
    // We hold the lock, so any socket file left is a dead instance's.
    sockaddr_un address;
    if (!socketAddress(socketPath, address))
        return true;
    ::unlink(address.sun_path);
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 4) != 0) {
        qCWarning(lcUi) << "cannot listen on" << socketPath << "- a second start cannot raise this window";
        if (listenFd_ >= 0)
            ::close(listenFd_);
        listenFd_ = -1;
        return true; // still the only instance; later starts just cannot raise the window
    }
    notifier_ = new QSocketNotifier(qintptr(listenFd_), QSocketNotifier::Read);
    connect(notifier_, &QSocketNotifier::activated, this, &SingleInstance::acceptCallers);
    return true;
}

QByteArray SingleInstance::activationToken(const QByteArray& received) {
    const bool printable =
        std::all_of(received.begin(), received.end(), [](char c) { return c >= 0x20 && c <= 0x7e; });
    return printable && received.size() <= kMaxToken ? received : QByteArray();
}

void SingleInstance::acceptCallers() {
    // Each connection means "show", whatever it sends; the Caller deletes itself when it has read it.
    for (int fd; (fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0;)
        new Caller(
            fd, this, [this](const QByteArray& token) { emit activationRequested(token); }, commandHandler_);
}

std::optional<QByteArray> SingleInstance::sendCommand(const QString& folder, const QByteArray& request,
                                                      int timeoutMs) {
    sockaddr_un address;
    if (!socketAddress(QDir(folder).filePath(QStringLiteral("orvane-clock.sock")), address))
        return std::nullopt;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    const QByteArray bytes = kCommandMark + request;
    bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    for (qsizetype sent = 0; ok && sent < bytes.size();) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        sent += std::max<ssize_t>(n, 0);
    }
    // The end of the request: the program answers once it has read it whole.
    ok = ok && ::shutdown(fd, SHUT_WR) == 0;
    QByteArray answer;
    QDeadlineTimer deadline(timeoutMs);
    while (ok) {
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, int(std::max<qint64>(deadline.remainingTime(), 0)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            ok = false; // no answer in time
            break;
        }
        char buffer[4096];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        answer.append(buffer, n);
    }
    ::close(fd);
    if (!ok || answer.isEmpty())
        return std::nullopt;
    return answer;
}

bool SingleInstance::askRunningToShow(const QString& socketPath) {
    sockaddr_un address;
    if (!socketAddress(socketPath, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    // A few KiB fit in the socket's buffer, so this does not wait for the running instance to read.
    const QByteArray token = ok ? ownActivationToken() : QByteArray();
    for (qsizetype sent = 0; sent < token.size();) {
        const ssize_t n = ::send(fd, token.constData() + sent, size_t(token.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // it still saw the connection: the window is shown, if perhaps not focused
        sent += n;
    }
    ::close(fd);
    return ok;
}

} // namespace orvane
