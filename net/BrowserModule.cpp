// Loads orvane-browser with QPluginLoader from the first folder that holds it.
#include "net/BrowserModule.h"

#include "common/Log.h"
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
    QStringList folders{QDir::cleanPath(bin + QStringLiteral("/../" ORVANE_BROWSER_INSTALL_SUBDIR))};
    // A program run from a build folder (any program of it, at any depth) finds the module where the
    // build put it. The build folder is recognised by its CMakeCache.txt rather than written into the
    // program, so an installed program carries no path of the machine it was built on.
    for (QDir dir(bin);;) {
        if (dir.exists(QStringLiteral("CMakeCache.txt"))) {
            folders << QDir::cleanPath(dir.filePath(QStringLiteral(ORVANE_BROWSER_BUILD_SUBDIR)));
            break;
        }
        if (!dir.cdUp())
            break;
    }
    return folders;
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
    qCWarning(lcUi).noquote() << "no browser:" << s.error;
    return nullptr;
}

QString lastError() {
    return state().error;
}

bool isLoaded() {
    return state().loaded;
}

} // namespace orvane::browserModule
