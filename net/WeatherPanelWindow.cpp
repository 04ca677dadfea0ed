// The panel's controls as they sit at the bottom of the main window, in a window of the panel's height.
#include "net/WeatherPanelWindow.h"

#include "net/BrowserLayout.h"
#include "net/BrowserView.h"
#include "net/WebShortcuts.h"

#include <QPushButton>

namespace orvane {

WeatherPanelWindow::WeatherPanelWindow(const QByteArray& page, QWidget* parent)
    : QWidget(parent, Qt::Window), page_(page) {
    setObjectName(QStringLiteral("WeatherPanelWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" 天气预报"));
    // The strip of the main window that the panel takes, its controls at the same places within it.
    setFixedSize(mainWindowWeatherSize - QSize(0, weatherPanelTop));
    browser_ = new BrowserView(this);
    browser_->setObjectName(QStringLiteral("超文本浏览框1"));
    browser_->setGeometry(weatherBrowserPlace.translated(0, -weatherPanelTop));
    auto* refresh = new QPushButton(QStringLiteral("刷新天气预报"), this);
    refresh->setObjectName(QStringLiteral("按钮20"));
    refresh->setGeometry(weatherRefreshPlace.translated(0, -weatherPanelTop));
    connect(refresh, &QPushButton::clicked, this, &WeatherPanelWindow::RefreshWeather);
    auto* close = new QPushButton(QStringLiteral("关闭天气预报"), this);
    close->setObjectName(QStringLiteral("按钮21"));
    close->setGeometry(weatherClosePlace.translated(0, -weatherPanelTop));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    RefreshWeather();
}

void WeatherPanelWindow::RefreshWeather() {
    browser_->navigate(webUrl(page_));
}

} // namespace orvane
