// Loads orvane-browser with QPluginLoader from the first folder that holds it.
#include "net/BrowserModule.h"

#include "net/BrowserPlugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#include <unistd.h>

namespace orvane::browserModule {

namespace {

struct State {
    QStringList folders;
    BrowserFactory* factory = nullptr;
    bool loaded = false;
    QString error;
};

State& state() {
    static State s;
    return s;
}

// Chromium will not start its sandbox for the root user and then shows no page at all. Someone who runs
// the clock as root gets pages without the sandbox rather than none; other users keep the sandbox.
void allowRunningAsRoot() {
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

} // namespace

QStringList defaultFolders() {
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin, QDir::cleanPath(bin + QStringLiteral("/../" ORVANE_BROWSER_INSTALL_SUBDIR)),
            QString::fromUtf8(ORVANE_BROWSER_BUILD_DIR)};
}

void setSearchFolders(const QStringList& folders) {
    state().folders = folders;
    state().factory = nullptr;
}

BrowserFactory* factory() {
    State& s = state();
    if (s.factory != nullptr)
        return s.factory;
    const QStringList folders = s.folders.isEmpty() ? defaultFolders() : s.folders;
    s.error = QStringLiteral("orvane-browser.so is in none of ") + folders.join(QStringLiteral(", "));
    for (const QString& folder : folders) {
        const QString file = QDir(folder).filePath(QStringLiteral("orvane-browser.so"));
        if (!QFileInfo::exists(file))
            continue;
        allowRunningAsRoot();
        // The loader's end does not unload the module: the engine cannot be unloaded safely.
        QPluginLoader loader(file);
        if (auto* f = qobject_cast<BrowserFactory*>(loader.instance())) {
            s.factory = f;
            s.loaded = true;
            return f;
        }
        s.error = loader.errorString();
    }
    return nullptr;
}

QString lastError() {
    return state().error;
}

bool isLoaded() {
    return state().loaded;
}

} // namespace orvane::browserModule
