// The browser control: the module's page filling the control, or a message when the module is missing.
#include "net/BrowserView.h"

#include "net/BrowserModule.h"
#include "net/BrowserPlugin.h"

#include <QLabel>
#include <QTimer>

namespace orvane {

BrowserView::BrowserView(QWidget* parent) : QWidget(parent) {}

bool BrowserView::ensureEngine() {
    if (engine_ != nullptr || tried_)
        return engine_ != nullptr;
    tried_ = true;
    if (BrowserFactory* factory = browserModule::factory()) {
        engine_ = factory->create(this);
        engine_->setLoadedCallback([this](bool ok) {
            if (ok) {
                loadedUrl_ = engine_->url();
                ++loads_;
            }
            emit loaded(ok);
        });
        engine_->widget()->setGeometry(rect());
        engine_->widget()->show();
        return true;
    }
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("browserMessage"));
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignCenter);
    message_->setText(QStringLiteral("无法显示网页：浏览器组件 orvane-browser 未能载入。"));
    message_->setToolTip(browserModule::lastError());
    message_->setGeometry(rect());
    message_->show();
    return false;
}

void BrowserView::navigate(const QUrl& url) {
    requested_ = url;
    if (ensureEngine()) {
        engine_->navigate(url);
        return;
    }
    // Queued, as a real load ends later: whoever waits for the end connects after asking.
    QTimer::singleShot(0, this, [this] { emit loaded(false); });
}

void BrowserView::back() {
    if (engine_ != nullptr)
        engine_->back();
}

void BrowserView::forward() {
    if (engine_ != nullptr)
        engine_->forward();
}

QUrl BrowserView::url() const {
    return engine_ != nullptr && !engine_->url().isEmpty() ? engine_->url() : requested_;
}

QWidget* BrowserView::pageWidget() const {
    if (engine_ != nullptr)
        return engine_->widget();
    return message_;
}

QString BrowserView::message() const {
    return message_ != nullptr ? message_->text() : QString();
}

void BrowserView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (QWidget* page = pageWidget())
        page->setGeometry(rect());
}

} // namespace orvane
