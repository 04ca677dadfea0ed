// Tests of Paths: the XDG folders standing in for the Windows directories, and making them.
#include "platform/Paths.h"

#include "TempDir.h"
#include "TestRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

using orvane::Paths;
using orvane::test::TempDir;

namespace {
void restore(const char* name, const QByteArray& value) {
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}
} // namespace

class PathsTest : public QObject {
    Q_OBJECT

private slots:
    // The folders follow XDG_DATA_HOME and XDG_CONFIG_HOME and do not carry the application's name.
    void standardFollowsXdg() {
        TempDir dir;
        const QByteArray oldData = qgetenv("XDG_DATA_HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.file(QStringLiteral("data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.file(QStringLiteral("config"))));
        const Paths paths = Paths::standard();
        restore("XDG_DATA_HOME", oldData);
        restore("XDG_CONFIG_HOME", oldConfig);

        QCOMPARE(paths.windowsDir, dir.file(QStringLiteral("data/orvane-clock")));
        QCOMPARE(paths.systemDir, dir.file(QStringLiteral("data/orvane-clock/system")));
        QCOMPARE(paths.programDir, dir.file(QStringLiteral("config/orvane-clock")));
        QCOMPARE(paths.autostartDir, dir.file(QStringLiteral("config/autostart")));
        QCOMPARE(paths.registryFile(), dir.file(QStringLiteral("config/orvane-clock/registry.ini")));
    }

    void makeFolders() {
        TempDir dir;
        const Paths paths = Paths::under(dir.path());
        QVERIFY(paths.makeFolders());
        for (const QString& folder : {paths.windowsDir, paths.systemDir}) {
            QVERIFY2(folder.startsWith(dir.path() + u'/'), qPrintable(folder));
            QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
        }
        // Empty folders would be left behind: the config folder before anything is stored there, the
        // autostart folder while "开机自动运行" stays unticked.
        QVERIFY(!QFileInfo::exists(paths.programDir));
        QVERIFY(!QFileInfo::exists(paths.autostartDir));
        QVERIFY(paths.windowsFile(QStringLiteral("sys.ini")) != paths.programFile(QStringLiteral("sys.ini")));
        QVERIFY(paths.makeFolders()); // again: they exist already

        QFile blocker(dir.file(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QVERIFY(!Paths::under(blocker.fileName()).makeFolders());
    }
};

ORVANE_TEST(PathsTest)
#include "test_Paths.moc"
