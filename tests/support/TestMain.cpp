// Entry point of every test program: runs each registered test class; "-only Name" picks one.
#include "TestRegistry.h"

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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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
