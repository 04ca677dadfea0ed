// Opening a browser window in the helper, blocking its opener until it closes, and the helper's failure.
#include "net/RemoteBrowser.h"

#include "net/InputBlock.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QWidget>

namespace orvane {

namespace {
// The id of `widget`'s window, for the helper to keep its own windows above it (X11); 0 elsewhere, where
// no program may name another's window.
quint64 helperParentWindow(QWidget* widget) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return 0;
    return widget->window()->winId();
}
} // namespace

RemoteBrowser::RemoteBrowser(Dialogs& dialogs, QObject* parent) : QObject(parent), dialogs_(dialogs) {
    // The helper's windows wear the program's skin.
    helper_.setStyleSheet(qApp->styleSheet());
    connect(&helper_, &BrowserHelper::closed, this, [this](int page) { delete blocks_.take(page); });
    connect(&helper_, &BrowserHelper::unavailable, this, [this] {
        dialogs_.errorMessage(QStringLiteral("无法显示网页：浏览器组件 orvane-browser 未能启动。"));
    });
}

void RemoteBrowser::open(browserProtocol::PageKind kind, const QByteArray& address, QWidget* opener) {
    const int page = helper_.open(kind, address, helperParentWindow(opener));
    // A helper that cannot start has closed the page already.
    if (helper_.isOpen(page))
        blocks_.insert(page, new InputBlock(opener->window()));
}

} // namespace orvane
