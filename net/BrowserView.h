// 超文本浏览框: the embedded browser control; its engine is loaded at the first navigation.
#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;

namespace orvane {

class BrowserEngine;

class BrowserView : public QWidget {
    Q_OBJECT
public:
    explicit BrowserView(QWidget* parent = nullptr);

    // Loads the browser module at the first call; without it a plain message takes the page's place.
    void navigate(const QUrl& url);
    void back();
    void forward();
    QUrl url() const; // the page shown (the last one asked for while none is)
    // The page whose load ended last, and how many loads have ended successfully.
    QUrl loadedUrl() const { return loadedUrl_; }
    int loads() const { return loads_; }
    bool hasEngine() const { return engine_ != nullptr; }
    QWidget* pageWidget() const; // the engine's widget, or the message
    QString message() const;     // the message shown in place of the page; empty when there is a page

signals:
    void loaded(bool ok); // a page load ended (false at once when no page can be shown)

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool ensureEngine();

    BrowserEngine* engine_ = nullptr;
    QLabel* message_ = nullptr;
    QUrl requested_;
    QUrl loadedUrl_;
    int loads_ = 0;
    bool tried_ = false;
};

} // namespace orvane
