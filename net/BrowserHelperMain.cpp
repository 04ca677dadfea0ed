// orvane-browser, the program's browser helper: the web engine in a process of its own, which shows the
// pages the program asks for on its standard input and ends when that input ends.
#include "net/BrowserProtocol.h"
#include "net/BrowserSession.h"

#include <QApplication>
#include <QLocale>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QSocketNotifier>

#include <csignal>
#include <unistd.h>

namespace {

// Writes a whole line to the program; false when the program is gone.
bool writeAll(int fd, const QByteArray& line) {
    for (qsizetype done = 0; done < line.size();) {
        const ssize_t n = ::write(fd, line.constData() + done, size_t(line.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // Chromium will not start its sandbox for the root user and then shows no page at all. Someone who
    // runs the clock as root gets pages without the sandbox rather than none; other users keep it.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The engine draws through a context shared with the application's, made before the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Drawn by the software scene graph, pages need no OpenGL driver (tens of megabytes) and show on any
    // display, a virtual one included.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // Standard output carries the events to the program alone: whatever else writes there (the engine's
    // own messages) goes to standard error instead.
    const int events = ::dup(STDOUT_FILENO);
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    // A program that is gone makes a write fail, which ends the helper, rather than killing it mid-step.
    std::signal(SIGPIPE, SIG_IGN);

    // The engine reports its graphics set-up in twenty lines at every start; the helper starts with each
    // first page, so that report stays out of the journal (QT_LOGGING_RULES can still ask for it).
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("orvane-browser"));
    // The desktop shows the browser windows as the clock's.
    QGuiApplication::setDesktopFileName(QStringLiteral("orvane-clock"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    // The program decides when the helper ends: a window closing may be followed by the next at once.
    QApplication::setQuitOnLastWindowClosed(false);

    orvane::BrowserSession session([events](const QByteArray& line) {
        if (!writeAll(events, line))
            QCoreApplication::exit(0);
    });
    orvane::browserProtocol::LineReader lines;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                return;
            // The program is done with the helper, or gone. The pages go before the engine does.
            input.setEnabled(false);
            session.closeAll();
            QCoreApplication::exit(0);
            return;
        }
        lines.append(QByteArray(buffer, n));
        for (QByteArray line; lines.next(line);)
            session.handle(orvane::browserProtocol::decode(line));
    });
    return app.exec();
}
