// The weather window's layout; it shows the forecast widget when created.
#include "net/WeatherWindow.h"

#include "net/BrowserView.h"
#include "net/WebShortcuts.h"
#include "platform/WindowCaption.h"

#include <QPushButton>

namespace orvane {

WeatherWindow::WeatherWindow(const QByteArray& page, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WeatherWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    showNoCaption(this);
    setGeometry(50, 50, 380, 265);
    browser_ = new BrowserView(this);
    browser_->setObjectName(QStringLiteral("超文本浏览框1"));
    browser_->setGeometry(1, 1, 370, 208);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("按钮1"));
    close->setGeometry(288, 214, 72, 24);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    browser_->navigate(webUrl(page));
}

} // namespace orvane
