// Site buttons (80x32), the divider and the close button of the news and finance windows.
#include "net/SiteListWindow.h"

#include <QFrame>
#include <QPushButton>

namespace orvane {

SiteListWindow::SiteListWindow(const char* objectName, const QString& caption, QRect place,
                               BrowserWindows& browsers, QWidget* parent)
    : QDialog(parent), browsers_(browsers) {
    setObjectName(QString::fromUtf8(objectName));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    setGeometry(place);
}

QPushButton* SiteListWindow::addSite(int number, const char* caption, QPoint at, const QByteArray& address) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(QStringLiteral("按钮") + QString::number(number));
    button->setGeometry(at.x(), at.y(), 80, 32);
    connect(button, &QPushButton::clicked, this,
            [this, address] { OpenInBrowserWindow(address, this, browsers_); });
    return button;
}

void SiteListWindow::addDivider(int top) {
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(0, top, width(), 2);
}

void SiteListWindow::addCloseButton(int number, QRect place) {
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("按钮") + QString::number(number));
    close->setGeometry(place);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

} // namespace orvane
