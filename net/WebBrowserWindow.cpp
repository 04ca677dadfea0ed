// The browser window: start page at creation, the toolbar's actions, and the size rule on every resize.
#include "net/WebBrowserWindow.h"

#include "net/BrowserLayout.h"
#include "net/BrowserView.h"
#include "net/WebShortcuts.h"
#include "platform/WindowCaption.h"

#include <QAction>
#include <QScreen>
#include <QStyle>
#include <QToolBar>

namespace orvane {

WebBrowserWindow::WebBrowserWindow(QByteArray startPage, QWidget* parent)
    : QDialog(parent), startPage_(std::move(startPage)) {
    setObjectName(QStringLiteral("WebBrowserWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    showNoCaption(this);
    setGeometry(50, 50, 409, 295);

    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(QStringLiteral("工具条1"));
    toolbar_->setGeometry(0, 0, 403, 57);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const struct {
        const char* caption;
        const char* tip;
        QStyle::StandardPixmap icon;
    } buttons[] = {{"首页", "跳转到首页", QStyle::SP_DirHomeIcon},
                   {"后退", "后退", QStyle::SP_ArrowBack},
                   {"前进", "前进", QStyle::SP_ArrowForward},
                   {"关闭", "关闭浏览器", QStyle::SP_DialogCloseButton}};
    for (const auto& b : buttons) {
        QAction* action = toolbar_->addAction(style()->standardIcon(b.icon), QString::fromUtf8(b.caption));
        action->setToolTip(QString::fromUtf8(b.tip));
    }
    connect(toolbar_, &QToolBar::actionTriggered, this,
            [this](QAction* action) { OnToolbarClick(int(toolbar_->actions().indexOf(action))); });

    browser_ = new BrowserView(this);
    browser_->setObjectName(QStringLiteral("超文本浏览框1"));
    browser_->navigate(webUrl(startPage_));
}

void WebBrowserWindow::OnToolbarClick(int index) {
    switch (ToolbarButton(index)) {
    case ToolbarButton::Home:
        browser_->navigate(webUrl(startPage_));
        break;
    case ToolbarButton::Back:
        browser_->back();
        break;
    case ToolbarButton::Forward:
        browser_->forward();
        break;
    case ToolbarButton::Close:
        close();
        break;
    }
}

void WebBrowserWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ApplySizeRule();
}

// Whatever changed the size (the first show included), the window ends at the rule's place and size.
// Setting it re-enters this handler once, which then finds the window in place and comes to rest.
void WebBrowserWindow::ApplySizeRule() {
    const QRect target = browserWindowGeometry(screen()->size());
    if (geometry() != target)
        setGeometry(target);
    browser_->setGeometry(browserControlGeometry(size(), toolbar_->geometry()));
}

} // namespace orvane
