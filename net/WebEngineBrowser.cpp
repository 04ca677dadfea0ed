// The browser module orvane-browser: a QWebEngineView behind the program's BrowserFactory interface.
#include "net/BrowserPlugin.h"

#include <QCoreApplication>
#include <QObject>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QWebEngineView>
// Qt offers no public way to set its global shared context after the application exists. Its own
// declaration, not a copy: a Qt whose signature changed fails to build, and the package requires the Qt
// release it was built with.
#include <QtGui/private/qopenglcontext_p.h>

namespace orvane {

namespace {

QOpenGLContext* shareContext = nullptr;

void dropShareContext() {
    qt_gl_set_global_share_context(nullptr);
    delete shareContext;
    shareContext = nullptr;
}

// The engine draws through a context shared with the application's. A program that links the engine gets
// it made before its application object exists; the clock does not set Qt::AA_ShareOpenGLContexts at its
// start, as that loads the OpenGL driver (about 58 MB) into every run, so the module makes the context
// the way the engine itself would, just before its first page (the engine crashes without it). The engine
// warns at loading that it was "initialized from a plugin"; this is what that warning asks for.
void prepareSharedContext() {
    if (qt_gl_global_share_context() == nullptr) {
        shareContext = new QOpenGLContext;
        shareContext->create();
        qt_gl_set_global_share_context(shareContext);
        qAddPostRoutine(dropShareContext);
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Drawn by the software scene graph, the view paints like any other widget. Drawn through OpenGL it
    // would need the window it sits in to be an OpenGL one, and Qt would destroy and make anew the main
    // window (a new X window: it vanishes and reappears) the first time the weather panel opens.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

class WebEngineBrowser final : public QWebEngineView, public BrowserEngine {
public:
    explicit WebEngineBrowser(QWidget* parent) : QWebEngineView(parent) {
        connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
            if (loaded_)
                loaded_(ok);
        });
    }
    QWidget* widget() override { return this; }
    void navigate(const QUrl& url) override { setUrl(url); }
    void back() override { QWebEngineView::back(); }
    void forward() override { QWebEngineView::forward(); }
    QUrl url() const override { return QWebEngineView::url(); }
    void setLoadedCallback(std::function<void(bool)> callback) override { loaded_ = std::move(callback); }

private:
    std::function<void(bool)> loaded_;
};

} // namespace

class WebEngineBrowserFactory : public QObject, public BrowserFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID OrvaneBrowserFactory_iid)
    Q_INTERFACES(orvane::BrowserFactory)
public:
    BrowserEngine* create(QWidget* parent) override {
        prepareSharedContext();
        return new WebEngineBrowser(parent);
    }
};

} // namespace orvane

#include "WebEngineBrowser.moc"
