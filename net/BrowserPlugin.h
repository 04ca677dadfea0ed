// The interface between the program and its browser module orvane-browser (Qt WebEngine), which is loaded
// only when the first page is shown, so the program does not carry the engine before then.
#pragma once

#include <QUrl>
#include <QtPlugin>

#include <functional>

class QWidget;

namespace orvane {

// One embedded page. Header-only and free of Qt meta-objects, so the module needs no symbol of the
// program and the program none of the module.
class BrowserEngine {
public:
    virtual ~BrowserEngine() = default;
    // The page's widget, a child of the parent given to create(): Qt's parent deletes it (and this).
    virtual QWidget* widget() = 0;
    virtual void navigate(const QUrl& url) = 0;
    virtual void back() = 0; // nothing without history
    virtual void forward() = 0;
    virtual QUrl url() const = 0;
    // Called when each page load ends, with whether it succeeded.
    virtual void setLoadedCallback(std::function<void(bool ok)> callback) = 0;
};

class BrowserFactory {
public:
    virtual ~BrowserFactory() = default;
    virtual BrowserEngine* create(QWidget* parent) = 0;
};

} // namespace orvane

#define OrvaneBrowserFactory_iid "org.orvane-clock.BrowserFactory/1"
Q_DECLARE_INTERFACE(orvane::BrowserFactory, OrvaneBrowserFactory_iid)
