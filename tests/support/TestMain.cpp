// Entry point of every test program: runs each registered test class; "-only Name" picks one.
#include "TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <memory>

#ifdef ORVANE_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

namespace orvane::test {
std::vector<std::pair<const char*, Factory>>& registry() {
    static std::vector<std::pair<const char*, Factory>> classes;
    return classes;
}
} // namespace orvane::test

namespace {

// The one font of the window tests (the package's Chinese font, also for Latin text), so that text widths
// are the same on every machine whatever it has installed or its user configured.
constexpr char kFontFolder[] = "/usr/share/fonts/truetype/wqy";

void put(const char* name, const QString& value) {
    qputenv(name, QFile::encodeName(value));
}

// Nothing of the machine's session reaches a test: no session or system bus (a test that needs one starts
// its own), home folders inside `root`, one locale, a silent sound driver unless a test names one, none of
// the desktop's theme and scaling, and for windows a font configuration of the tests' own.
void isolateFromMachine(const QString& root) {
    QDir(root).mkpath(QStringLiteral("run"));
    QFile::setPermissions(root + QStringLiteral("/run"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    put("DBUS_SESSION_BUS_ADDRESS", QStringLiteral("unix:path=") + root + QStringLiteral("/no-session-bus"));
    put("DBUS_SYSTEM_BUS_ADDRESS", QStringLiteral("unix:path=") + root + QStringLiteral("/no-system-bus"));
    put("HOME", root + QStringLiteral("/home"));
    put("XDG_DATA_HOME", root + QStringLiteral("/home/data"));
    put("XDG_CONFIG_HOME", root + QStringLiteral("/home/config"));
    put("XDG_CACHE_HOME", root + QStringLiteral("/home/cache"));
    put("XDG_RUNTIME_DIR", root + QStringLiteral("/run"));
    qputenv("LC_ALL", "C.UTF-8");
    qunsetenv("LANGUAGE");
    qputenv("SDL_AUDIODRIVER", "dummy");
    // A desktop's own look: its Qt theme, style and scaling, and the desktop names Qt picks a theme by.
    for (const char* name :
         {"QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
          "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_FONT_DPI", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
          "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "XDG_ACTIVATION_TOKEN"})
        qunsetenv(name);
#ifdef ORVANE_TEST_GUI
    if (!QDir(QString::fromLatin1(kFontFolder)).exists())
        qFatal("the window tests need fonts-wqy-microhei (scripts/setup)");
    const QString fonts = root + QStringLiteral("/fonts.conf");
    QFile conf(fonts);
    const QByteArray text =
        QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
                       "  <dir>%1</dir>\n  <cachedir>%2/fontconfig</cachedir>\n"
                       "  <alias><family>sans-serif</family><prefer>%3</prefer></alias>\n"
                       "  <alias><family>serif</family><prefer>%3</prefer></alias>\n"
                       "  <alias><family>monospace</family><prefer>%3</prefer></alias>\n</fontconfig>\n")
            .arg(QLatin1String(kFontFolder), root, QStringLiteral("<family>WenQuanYi Micro Hei</family>"))
            .toUtf8();
    if (!conf.open(QIODevice::WriteOnly) || conf.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(fonts));
    conf.close();
    put("FONTCONFIG_FILE", fonts);
#endif
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir machine;
    if (!machine.isValid())
        qFatal("no temporary folder");
    isolateFromMachine(machine.path());
    TestApplication app(argc, argv);
    TestApplication::setApplicationName(QStringLiteral("orvane-clock-tests"));

    QStringList args = app.arguments();
    QString only;
    if (const auto i = args.indexOf(QStringLiteral("-only")); i >= 0 && i + 1 < args.size()) {
        only = args.at(i + 1);
        args.remove(i, 2);
    }
    int failures = 0;
    int ran = 0;
    for (const auto& [name, factory] : orvane::test::registry()) {
        if (!only.isEmpty() && only != QLatin1String(name))
            continue;
        std::unique_ptr<QObject> suite(factory());
        failures += QTest::qExec(suite.get(), args);
        ++ran;
    }
    // A CTest entry that names a class this program does not hold (moved to another program) must fail,
    // not pass having run nothing.
    if (ran == 0) {
        qCritical("no test class %s in this program", qPrintable(only));
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
