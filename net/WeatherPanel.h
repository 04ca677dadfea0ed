// The weather panel at the bottom of the main window: browser control 超文本浏览框1, 按钮20 and 按钮21.
#pragma once

#include <QByteArray>
#include <QObject>

class QWidget;

namespace orvane {

class BrowserHelper;

// The page is shown by the browser helper. On X11 it is drawn inside the main window, in the panel's
// browser control, below the tab control where the window's normal height leaves it out of view. Where
// no window can hold another program's (Wayland), the panel with its two buttons is a window of its own
// and the main window keeps its size. Owned by the main window.
class WeatherPanel : public QObject {
    Q_OBJECT
public:
    enum class Place { InWindow, OwnWindow };
    static Place defaultPlace(); // InWindow on X11

    WeatherPanel(QWidget* window, QByteArray page, BrowserHelper& helper, Place place = defaultPlace());

    void ShowWeatherPanel(); // 按钮13 "天气预报": load the page, and show the panel
    void RefreshWeather();   // 按钮20 "刷新天气预报": load the page again
    // 按钮21 "关闭天气预报": the window back to its normal height. The page is closed, so the helper can
    // end and give its memory back; showing the panel loads the page anew in any case.
    void HideWeatherPanel();
    Place place() const { return place_; }
    int page() const { return page_; } // the helper's page, 0 while none is open
    QWidget* browserArea() const { return browserArea_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeOwnWindow();

    QWidget* window_;
    QByteArray pageAddress_;
    BrowserHelper& helper_;
    Place place_;
    QWidget* browserArea_ = nullptr;
    int page_ = 0;
};

} // namespace orvane
