// Tests of Registry: values in the private INI file, and the Run value as an XDG autostart entry.
#include "platform/IniProfile.h"
#include "platform/Registry.h"

#include "TempDir.h"
#include "TestRegistry.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <sys/stat.h>

using orvane::IniProfile;
using orvane::Paths;
using orvane::Registry;
using orvane::test::TempDir;
using namespace Qt::Literals::StringLiterals;

namespace {

int modeOf(const QString& file) {
    struct stat st {};
    return ::stat(QFile::encodeName(file).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

QStringList linesOf(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(in.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

const QString passwordKey = QStringLiteral("SOFTWARE\\qlzk");

} // namespace

class RegistryTest : public QObject {
    Q_OBJECT

private slots:
    void value_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("Chinese record garbled") << QStringLiteral("真|管理员|密码");
        QTest::newRow("blank at the end of the password lost") << QStringLiteral("真|a |a ");
        QTest::newRow("empty value taken as absent") << QString();
    }
    void value() {
        QFETCH(QString, value);
        TempDir dir;
        const Paths paths = Paths::under(dir.path()); // folders not made: writing creates the store's folder
        Registry registry(paths);
        QVERIFY(!registry.exists(passwordKey, QStringLiteral("pz")));
        QCOMPARE(registry.read(passwordKey, QStringLiteral("pz")), std::nullopt);

        QVERIFY(registry.write(passwordKey, QStringLiteral("pz"), value));
        QVERIFY(registry.exists(passwordKey, QStringLiteral("pz")));
        QCOMPARE(registry.read(passwordKey, QStringLiteral("pz")), std::optional<QString>(value));
        QCOMPARE(IniProfile::read(paths.registryFile(), passwordKey, QStringLiteral("pz")), value);
        QCOMPARE(modeOf(paths.registryFile()), 0600);
        QVERIFY(!QFile::exists(paths.autostartDir));

        QVERIFY(registry.remove(passwordKey, QStringLiteral("pz")));
        QVERIFY(!registry.exists(passwordKey, QStringLiteral("pz")));
        QCOMPARE(registry.read(passwordKey, QStringLiteral("pz")), std::nullopt);
        QCOMPARE(modeOf(paths.registryFile()), 0600);
        QVERIFY(registry.remove(passwordKey, QStringLiteral("pz")));
    }

    void runValue_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec"); // the Exec line as the desktop-entry rules want it
        // TryExec is a plain string value: the path with the string escapes only, never quoted or
        // '%'-doubled.
        QTest::addColumn<QString>("tryExec");
        QTest::newRow("plain path quoted needlessly")
            << QStringLiteral("/opt/orvane/orvane-clock") << QStringLiteral("Exec=/opt/orvane/orvane-clock")
            << QStringLiteral("TryExec=/opt/orvane/orvane-clock");
        QTest::newRow("Chinese folder mangled") << QStringLiteral("/home/用户/闹钟/orvane-clock")
                                                << QStringLiteral("Exec=/home/用户/闹钟/orvane-clock")
                                                << QStringLiteral("TryExec=/home/用户/闹钟/orvane-clock");
        QTest::newRow("blank splits the path") << QStringLiteral("/home/u/my apps/orvane-clock")
                                               << QStringLiteral("Exec=\"/home/u/my apps/orvane-clock\"")
                                               << QStringLiteral("TryExec=/home/u/my apps/orvane-clock");
        QTest::newRow("dollar and quote unescaped")
            << QStringLiteral("/tmp/a$b\"c") << QStringLiteral("Exec=\"/tmp/a\\\\$b\\\\\"c\"")
            << QStringLiteral("TryExec=/tmp/a$b\"c");
        QTest::newRow("backslash not written four times")
            << QStringLiteral("/tmp/a\\b") << QStringLiteral("Exec=\"/tmp/a\\\\\\\\b\"")
            << QStringLiteral("TryExec=/tmp/a\\\\b");
        QTest::newRow("percent read as field code")
            << QStringLiteral("/tmp/100%/orvane-clock") << QStringLiteral("Exec=/tmp/100%%/orvane-clock")
            << QStringLiteral("TryExec=/tmp/100%/orvane-clock");
    }
    void runValue() {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QFETCH(QString, tryExec);
        TempDir dir;
        const Paths paths = Paths::under(dir.path());
        Registry registry(paths);
        const QString entry = paths.autostartDir + QStringLiteral("/qlzk.desktop");
        QVERIFY(!registry.exists(Registry::runKey(), QStringLiteral("qlzk")));

        QVERIFY(registry.write(Registry::runKey(), QStringLiteral("qlzk"), program));
        const QStringList lines = linesOf(entry);
        QCOMPARE(lines.value(0), QStringLiteral("[Desktop Entry]"));
        // Every field of the installed launcher but its Exec, which names this program.
        QStringList expected =
            linesOf(QStringLiteral(ORVANE_LAUNCHER_FILE)).filter(QRegularExpression(u"^[^#]"_s));
        QVERIFY(expected.size() > 5);
        expected.replaceInStrings(QRegularExpression(u"^Exec=.*"_s), exec);
        expected.insert(expected.indexOf(exec) + 1, tryExec);
        expected << QStringLiteral("X-GNOME-Autostart-enabled=true");
        QCOMPARE(lines, expected);
        QVERIFY(registry.exists(Registry::runKey(), QStringLiteral("qlzk")));
        QCOMPARE(registry.read(Registry::runKey(), QStringLiteral("qlzk")), std::optional<QString>(program));
        QVERIFY(!QFile::exists(paths.registryFile()));

        QVERIFY(registry.remove(Registry::runKey(), QStringLiteral("qlzk")));
        QVERIFY(!QFile::exists(entry));
        QVERIFY(!registry.exists(Registry::runKey(), QStringLiteral("qlzk")));
        QCOMPARE(registry.read(Registry::runKey(), QStringLiteral("qlzk")), std::nullopt);
        QVERIFY(registry.remove(Registry::runKey(), QStringLiteral("qlzk")));
    }

    // Ticking the box twice rewrites the entry with the new path; it does not append a second Exec.
    void runValueRewritten() {
        TempDir dir;
        const Paths paths = Paths::under(dir.path());
        Registry registry(paths);
        QVERIFY(
            registry.write(Registry::runKey(), QStringLiteral("qlzk"), QStringLiteral("/old/orvane-clock")));
        QVERIFY(
            registry.write(Registry::runKey(), QStringLiteral("qlzk"), QStringLiteral("/new/orvane-clock")));
        QCOMPARE(registry.read(Registry::runKey(), QStringLiteral("qlzk")),
                 std::optional<QString>(QStringLiteral("/new/orvane-clock")));
        const QStringList lines = linesOf(paths.autostartDir + QStringLiteral("/qlzk.desktop"));
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^Exec="))).size(), 1);
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^TryExec="))).size(), 1);
    }
};

ORVANE_TEST(RegistryTest)
#include "test_Registry.moc"
