// The weather panel's controls and the main window's two sizes, or the panel's own window.
#include "net/WeatherPanel.h"

#include "net/BrowserHelper.h"
#include "net/BrowserLayout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QWidget>

namespace orvane {

using browserProtocol::PageKind;

WeatherPanel::Place WeatherPanel::defaultPlace() {
    return QGuiApplication::platformName() == QLatin1String("xcb") ? Place::InWindow : Place::OwnWindow;
}

WeatherPanel::WeatherPanel(QWidget* window, QByteArray page, BrowserHelper& helper, Place place)
    : QObject(window), window_(window), pageAddress_(std::move(page)), helper_(helper), place_(place) {
    connect(&helper_, &BrowserHelper::closed, this, [this](int page) {
        if (page == page_)
            page_ = 0; // closed in its own window, or its helper died: the next click opens it anew
    });
    if (place_ == Place::OwnWindow) {
        window_->installEventFilter(this); // the panel's window follows the main window
        return;
    }
    browserArea_ = new QWidget(window);
    browserArea_->setObjectName(QStringLiteral("超文本浏览框1"));
    browserArea_->setGeometry(weatherBrowserPlace);
    auto* refresh = new QPushButton(QStringLiteral("刷新天气预报"), window);
    refresh->setObjectName(QStringLiteral("按钮20"));
    refresh->setGeometry(weatherRefreshPlace);
    connect(refresh, &QPushButton::clicked, this, &WeatherPanel::RefreshWeather);
    auto* close = new QPushButton(QStringLiteral("关闭天气预报"), window);
    close->setObjectName(QStringLiteral("按钮21"));
    close->setGeometry(weatherClosePlace);
    connect(close, &QPushButton::clicked, this, &WeatherPanel::HideWeatherPanel);
}

// The main window keeps a fixed size; setFixedSize moves both bounds, so the user still cannot resize it.
void WeatherPanel::ShowWeatherPanel() {
    RefreshWeather();
    if (place_ == Place::InWindow)
        window_->setFixedSize(mainWindowWeatherSize);
}

void WeatherPanel::RefreshWeather() {
    if (page_ != 0) {
        helper_.navigate(page_, pageAddress_);
        return;
    }
    if (place_ == Place::OwnWindow) {
        page_ = helper_.open(PageKind::PanelWindow, pageAddress_);
        placeOwnWindow();
        return;
    }
    // The helper draws the page in a window of its own made a child of this control's window. Only this
    // control needs a window of its own: its neighbours stay drawn by the main window (by default Qt
    // would give them windows too, and the clock's transparent labels would lose their background).
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    page_ = helper_.open(PageKind::EmbeddedPanel, pageAddress_, browserArea_->winId(), browserArea_->size());
}

void WeatherPanel::HideWeatherPanel() {
    if (place_ == Place::InWindow)
        window_->setFixedSize(mainWindowNormalSize);
    if (page_ != 0)
        helper_.close(std::exchange(page_, 0));
}

// Directly under the main window, where the desktop lets a program place its windows (X11; a Wayland
// compositor places them itself).
void WeatherPanel::placeOwnWindow() {
    if (page_ != 0 && QGuiApplication::platformName() == QLatin1String("xcb"))
        helper_.place(page_, window_->frameGeometry().bottomLeft() + QPoint(0, 1));
}

bool WeatherPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Move)
        placeOwnWindow();
    return QObject::eventFilter(watched, event);
}

} // namespace orvane
