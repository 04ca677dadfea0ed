// What the browser tests share: loopback pages with one link each, and waiting for pages.
#pragma once

#include "LoopbackHttpServer.h"
#include "net/BrowserView.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace orvane::test {

// Every path is a page titled with its path whose whole body is one link to <path>-link.
class LinkPages : public LoopbackHttpServer {
public:
    LinkPages() {
        setHandler([](const QByteArray& request) {
            const QByteArray path = request.mid(4, request.indexOf(' ', 4) - 4);
            if (path == "/favicon.ico")
                return QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            const QByteArray link =
                path.left(path.indexOf('?') < 0 ? path.size() : path.indexOf('?')) + "-link";
            return ok("<html><head><title>" + path + "</title></head><body style='margin:0'><a href='" +
                      link + "' style='display:block;width:100%;height:100vh'>" + link +
                      "</a></body></html>");
        });
    }
    // The request paths received, in order, leaving out the browser's icon requests.
    QList<QByteArray> paths() const {
        QList<QByteArray> list;
        for (const QByteArray& request : requests()) {
            const QByteArray path = request.mid(4, request.indexOf(' ', 4) - 4);
            if (path != "/favicon.ico")
                list.append(path);
        }
        return list;
    }
};

constexpr int pageTimeoutMs = 30000; // the engine's first start on a busy machine takes seconds

// Runs the event loop until done() holds or the time is up. Unlike QTest::qWaitFor, which sleeps between
// its turns, the loop only waits for events: the engine runs its own tasks on this thread, and a page
// load that needs a hundred of them took seconds when each waited for the end of a sleep.
inline bool runUntil(const std::function<bool()>& done, int timeoutMs = pageTimeoutMs) {
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(5);
    loop.exec();
    return done();
}

// Runs events until `view` has finished loading the page at `path` (and not just asked for it).
inline bool waitForPage(const BrowserView* view, const QString& path) {
    return runUntil([&] { return view->loadedUrl().path() == path; });
}

// Follows the page's link the way a user does, with a click into the page. The engine drops input on a
// page it has not drawn yet, and no event tells when it has: the click is repeated until the server is
// asked for the link's target (a click that was taken asks at once). False when it never is.
inline bool followLink(BrowserView* view, const LinkPages& server) {
    const QByteArray target = view->loadedUrl().path().toUtf8() + "-link";
    const qsizetype asked = server.paths().count(target);
    for (int attempt = 0; attempt < 20; ++attempt) {
        // The engine takes input through a widget of its own.
        QWidget* input = view->focusProxy();
        if (input != nullptr && input->isVisible())
            QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(20, 20));
        if (runUntil([&] { return server.paths().count(target) > asked; }, 1000))
            return true;
    }
    return false;
}

} // namespace orvane::test
