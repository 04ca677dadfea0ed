// /dev/tty with ECHO off for one line; the terminal's settings come back also when Ctrl+C ends the
// program mid-line.
#include "cli/TerminalPassword.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace orvane {

namespace {

int g_tty = -1;
termios g_saved{};

void restoreAndRaise(int signal) {
    ::tcsetattr(g_tty, TCSAFLUSH, &g_saved);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

bool writeAll(int fd, const QByteArray& bytes) {
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + sent, size_t(bytes.size() - sent));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

} // namespace

std::optional<QString> askOnTerminal(const QString& prompt) {
    const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (tty < 0)
        return std::nullopt;
    termios saved{};
    if (::tcgetattr(tty, &saved) != 0) {
        ::close(tty);
        return std::nullopt;
    }
    g_tty = tty;
    g_saved = saved;
    const auto oldInt = std::signal(SIGINT, restoreAndRaise);
    const auto oldTerm = std::signal(SIGTERM, restoreAndRaise);
    const auto oldHup = std::signal(SIGHUP, restoreAndRaise);
    // The echo goes off before the prompt shows: what is typed once it shows is neither echoed nor
    // thrown away (TCSAFLUSH drops only what was typed ahead of the question).
    termios quiet = saved;
    quiet.c_lflag &= ~tcflag_t(ECHO);
    quiet.c_lflag |= ICANON;
    ::tcsetattr(tty, TCSAFLUSH, &quiet);
    writeAll(tty, prompt.toUtf8());
    QByteArray line;
    bool ended = false;
    for (char c; line.size() < 4096;) {
        const ssize_t n = ::read(tty, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || c == '\n') {
            ended = n > 0;
            break;
        }
        line.append(c);
    }
    ::tcsetattr(tty, TCSAFLUSH, &saved);
    std::signal(SIGINT, oldInt);
    std::signal(SIGTERM, oldTerm);
    std::signal(SIGHUP, oldHup);
    writeAll(tty, "\n");
    ::close(tty);
    g_tty = -1;
    if (!ended)
        return QString(); // Ctrl+D, or the terminal went away: nothing typed, which the gate refuses
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

} // namespace orvane
