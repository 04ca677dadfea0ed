// The weather panel at the bottom of the main window: browser control 超文本浏览框1, 按钮20 and 按钮21.
#pragma once

#include <QByteArray>
#include <QObject>

class QWidget;

namespace orvane {

class BrowserView;

// Places its controls on the main window, below the tab control, where the window's normal height
// leaves them out of view; owned by that window. The page is loaded only by ShowWeatherPanel and
// RefreshWeather, so the browser module stays unloaded until then.
class WeatherPanel : public QObject {
    Q_OBJECT
public:
    WeatherPanel(QWidget* window, QByteArray page);

    void ShowWeatherPanel(); // 按钮13 "天气预报": load the page, window tall enough to show it
    void RefreshWeather();   // 按钮20 "刷新天气预报": load the page again
    void HideWeatherPanel(); // 按钮21 "关闭天气预报": window back to its normal height; the page stays loaded
    BrowserView* browser() const { return browser_; }

private:
    QWidget* window_;
    QByteArray page_;
    BrowserView* browser_;
};

} // namespace orvane
