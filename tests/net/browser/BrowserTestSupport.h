// What the browser-window tests share: loopback pages with one link each, and a runner that only shows.
#pragma once

#include "LoopbackHttpServer.h"
#include "net/BrowserModule.h"
#include "net/BrowserView.h"
#include "net/OpenInBrowserWindow.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

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

// Runs every window the code under test opens by showing it, and keeps it for the test to look at.
struct ShownWindows {
    QList<QPointer<QDialog>> windows;
    ModalRunner runner() {
        return [this](QDialog* window) {
            windows.append(window);
            window->show();
        };
    }
    template <typename T> T* last() const {
        return windows.isEmpty() ? nullptr : qobject_cast<T*>(windows.last().data());
    }
    void closeAll() {
        for (const QPointer<QDialog>& w : windows)
            if (w)
                w->close();
        windows.clear();
    }
};

// While it lives, the browser module is looked for in an empty folder only: views show their message.
class WithoutModule {
public:
    WithoutModule() { browserModule::setSearchFolders({dir_.path()}); }
    ~WithoutModule() { browserModule::setSearchFolders({}); }

private:
    QTemporaryDir dir_;
};

constexpr int pageTimeoutMs = 30000; // the engine's first start on a busy machine takes seconds

// Runs events until `view` has finished loading the page at `path` (and not just asked for it).
inline bool waitForPage(const BrowserView* view, const QString& path) {
    return QTest::qWaitFor([&] { return view->loadedUrl().path() == path; }, pageTimeoutMs);
}

// Follows the page's link the way a user does: a click into the page.
inline void clickLink(BrowserView* view) {
    QWidget* input = view->pageWidget()->focusProxy() ? view->pageWidget()->focusProxy() : view->pageWidget();
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(20, 20));
}

} // namespace orvane::test
