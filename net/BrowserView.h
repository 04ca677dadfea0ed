// 超文本浏览框: the browser control of the helper's windows, a web view that counts its finished loads.
#pragma once

#include <QUrl>
#include <QWebEngineView>

namespace orvane {

class BrowserView : public QWebEngineView {
    Q_OBJECT
public:
    explicit BrowserView(QWidget* parent = nullptr);

    void navigate(const QUrl& url) { setUrl(url); }
    // The page whose load ended last, and how many loads have ended successfully.
    QUrl loadedUrl() const { return loadedUrl_; }
    int loads() const { return loads_; }

signals:
    void loaded(bool ok, const QUrl& url); // a page load ended

private:
    QUrl loadedUrl_;
    int loads_ = 0;
};

} // namespace orvane
