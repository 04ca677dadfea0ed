// Each page the program asks for in the window its kind calls for; the page's events back to the program.
#include "net/BrowserSession.h"

#include "common/Log.h"
#include "net/BrowserProtocol.h"
#include "net/BrowserView.h"
#include "net/WeatherPanelWindow.h"
#include "net/WeatherWindow.h"
#include "net/WebBrowserWindow.h"
#include "net/WebShortcuts.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

namespace orvane {

namespace {
using namespace browserProtocol;

constexpr char pageProperty[] = "orvanePage";

// A window of the program, known here by its id only. Qt keeps the native window as it is when this
// object goes, so it goes with the page that uses it.
QWindow* programWindow(quint64 id, QObject* page) {
    QWindow* window = QWindow::fromWinId(WId(id));
    QObject::connect(page, &QObject::destroyed, window, &QObject::deleteLater);
    return window;
}
} // namespace

BrowserSession::BrowserSession(Send send, QObject* parent) : QObject(parent), send_(std::move(send)) {}

void BrowserSession::handle(const QByteArrayList& command) {
    const QByteArray& name = command.first();
    const int number = command.value(1).toInt();
    if (name == "style" && command.size() == 2) {
        qApp->setStyleSheet(QString::fromUtf8(command[1]));
    } else if (name == "open" && command.size() >= 5 && !pages_.contains(number)) {
        BrowserView* view = nullptr;
        if (QWidget* window = makePage(command, view))
            add(number, window, view);
        else
            qCWarning(lcUi) << "browser helper: cannot open" << command;
    } else if (name == "navigate" && command.size() == 3 && views_.contains(number)) {
        views_[number]->navigate(webUrl(command[2]));
    } else if (name == "place" && command.size() == 4 && pages_.value(number)) {
        pages_[number]->move(command[2].toInt(), command[3].toInt());
    } else if (name == "close" && command.size() == 2 && pages_.value(number)) {
        pages_[number]->close();
    } else {
        qCWarning(lcUi) << "browser helper: command not understood:" << command;
    }
}

QWidget* BrowserSession::makePage(const QByteArrayList& command, BrowserView*& view) {
    const std::optional<PageKind> kind = kindFromName(command[2]);
    if (!kind)
        return nullptr;
    const QByteArray& address = command[3];
    const quint64 programWindowId = command[4].toULongLong();
    QWidget* window = nullptr;
    switch (*kind) {
    case PageKind::BrowserWindow: {
        auto* browser = new WebBrowserWindow(address);
        view = browser->browser();
        window = browser;
        break;
    }
    case PageKind::WeatherWindow: {
        auto* weather = new WeatherWindow(address);
        view = weather->browser();
        window = weather;
        break;
    }
    case PageKind::PanelWindow: {
        auto* panel = new WeatherPanelWindow(address);
        view = panel->browser();
        return panel;
    }
    case PageKind::EmbeddedPanel: {
        const QSize size(command.value(5).toInt(), command.value(6).toInt());
        if (programWindowId == 0 || size.isEmpty() || QGuiApplication::platformName() != QLatin1String("xcb"))
            return nullptr;
        // The page becomes a child window of the program's window (X11 lets a window of one client hold
        // those of another): it moves, hides and goes with that window, and is drawn here.
        view = new BrowserView;
        view->setObjectName(QStringLiteral("超文本浏览框1"));
        view->setAttribute(Qt::WA_DeleteOnClose);
        view->setGeometry(QRect(QPoint(0, 0), size));
        view->winId();
        view->windowHandle()->setParent(programWindow(programWindowId, view));
        view->navigate(webUrl(address));
        return view;
    }
    }
    // Over the window it was opened from, as a modal window would be (X11; elsewhere the desktop decides).
    if (programWindowId != 0 && QGuiApplication::platformName() == QLatin1String("xcb")) {
        window->winId();
        window->windowHandle()->setTransientParent(programWindow(programWindowId, window));
    }
    return window;
}

void BrowserSession::add(int number, QWidget* window, BrowserView* view) {
    pages_.insert(number, window);
    views_.insert(number, view);
    connect(view, &BrowserView::loaded, this, [this, number](bool ok, const QUrl& url) {
        emitEvent({"loaded", QByteArray::number(number), ok ? "1" : "0", url.toEncoded()});
    });
    connect(window, &QObject::destroyed, this, [this, number] {
        pages_.remove(number);
        views_.remove(number);
        emitEvent({"closed", QByteArray::number(number)});
    });
    window->show();
    window->windowHandle()->setProperty(pageProperty, number);
    window->windowHandle()->installEventFilter(this);
}

void BrowserSession::closeAll() {
    const QList<QPointer<QWidget>> pages = pages_.values();
    pages_.clear();
    views_.clear();
    for (QWidget* page : pages) {
        if (page != nullptr)
            page->disconnect(this);
        delete page;
    }
}

// The first exposure of a page's window: it is on screen, at the size it then has.
bool BrowserSession::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWindow*>(watched);
    if (event->type() == QEvent::Expose && window != nullptr && window->isExposed()) {
        window->removeEventFilter(this);
        const int number = window->property(pageProperty).toInt();
        if (QWidget* page = pages_.value(number))
            emitEvent({"shown", QByteArray::number(number), QByteArray::number(page->width()),
                       QByteArray::number(page->height())});
    }
    return QObject::eventFilter(watched, event);
}

void BrowserSession::emitEvent(const QByteArrayList& fields) {
    send_(encode(fields));
}

} // namespace orvane
