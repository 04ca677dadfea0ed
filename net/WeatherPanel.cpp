// The weather panel's controls and the main window's two sizes.
#include "net/WeatherPanel.h"

#include "net/BrowserLayout.h"
#include "net/BrowserView.h"
#include "net/WebShortcuts.h"

#include <QPushButton>

namespace orvane {

WeatherPanel::WeatherPanel(QWidget* window, QByteArray page)
    : QObject(window), window_(window), page_(std::move(page)) {
    browser_ = new BrowserView(window);
    browser_->setObjectName(QStringLiteral("超文本浏览框1"));
    browser_->setGeometry(4, 259, 412, 77);
    auto* refresh = new QPushButton(QStringLiteral("刷新天气预报"), window);
    refresh->setObjectName(QStringLiteral("按钮20"));
    refresh->setGeometry(432, 267, 81, 25);
    connect(refresh, &QPushButton::clicked, this, &WeatherPanel::RefreshWeather);
    auto* close = new QPushButton(QStringLiteral("关闭天气预报"), window);
    close->setObjectName(QStringLiteral("按钮21"));
    close->setGeometry(432, 301, 81, 25);
    connect(close, &QPushButton::clicked, this, &WeatherPanel::HideWeatherPanel);
}

// The main window keeps a fixed size; setFixedSize moves both bounds, so the user still cannot resize it.
void WeatherPanel::ShowWeatherPanel() {
    RefreshWeather();
    window_->setFixedSize(mainWindowWeatherSize);
}

void WeatherPanel::RefreshWeather() {
    browser_->navigate(webUrl(page_));
}

void WeatherPanel::HideWeatherPanel() {
    window_->setFixedSize(mainWindowNormalSize);
}

} // namespace orvane
