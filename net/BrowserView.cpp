// The browser control: each finished load is counted and reported with the address it ended on.
#include "net/BrowserView.h"

namespace orvane {

BrowserView::BrowserView(QWidget* parent) : QWebEngineView(parent) {
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (ok) {
            loadedUrl_ = url();
            ++loads_;
        }
        emit loaded(ok, url());
    });
}

} // namespace orvane
