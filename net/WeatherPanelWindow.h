// The weather panel as a window of its own, where the desktop cannot show it inside the main window
// (Wayland): the panel's browser control 超文本浏览框1 with 按钮20 "刷新天气预报" and 按钮21 "关闭天气预报".
#pragma once

#include <QByteArray>
#include <QWidget>

namespace orvane {

class BrowserView;

class WeatherPanelWindow : public QWidget {
    Q_OBJECT
public:
    // Shows `page` at once; deletes itself when closed (按钮21 or the window manager).
    explicit WeatherPanelWindow(const QByteArray& page, QWidget* parent = nullptr);
    void RefreshWeather(); // 按钮20, and the main window's 天气预报 while the panel is open
    BrowserView* browser() const { return browser_; }

private:
    QByteArray page_;
    BrowserView* browser_;
};

} // namespace orvane
