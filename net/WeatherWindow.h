// WeatherWindow: the small window with the weather site's forecast widget and "关闭".
#pragma once

#include <QByteArray>
#include <QDialog>

namespace orvane {

class BrowserView;

class WeatherWindow : public QDialog {
    Q_OBJECT
public:
    // Shows `page` at once; deletes itself when closed.
    explicit WeatherWindow(const QByteArray& page, QWidget* parent = nullptr);
    BrowserView* browser() const { return browser_; }

private:
    BrowserView* browser_;
};

} // namespace orvane
