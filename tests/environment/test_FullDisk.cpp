// Every file writer on a full disk: the write reports failure and the old file keeps its bytes. Needs a
// small tmpfs of its own, named by ORVANE_FULL_DISK (made by tests/environment/with-full-disk).
#include "TempDir.h"
#include "TestRegistry.h"
#include "common/FileWrite.h"
#include "platform/IniProfile.h"
#include "platform/Registry.h"
#include "platform/RegistryValues.h"
#include "platform/SystemSettings.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

namespace {

enum Writer { WholeFile, IniKey, RegistryValue, AutostartEntry };

// Writes `value` with the writer under test; the file it writes is returned in `file`.
bool writeWith(Writer writer, const Paths& paths, const QString& value, QString* file) {
    Registry registry(paths);
    switch (writer) {
    case WholeFile:
        *file = paths.systemFile(u"yy.she"_s);
        return writeWholeFile(*file, value.toUtf8());
    case IniKey:
        *file = paths.windowsFile(QStringLiteral("sys.ini"));
        return IniProfile::write(*file, SystemSettings::section(), QStringLiteral("响铃次数"), value);
    case RegistryValue:
        *file = paths.registryFile();
        return registry.write(settings::passwordKey(), settings::passwordValue(), value);
    case AutostartEntry:
        *file = paths.autostartDir + u"/qlzk.desktop"_s;
        return registry.write(Registry::runKey(), settings::autoStartValue(), u"/usr/bin/"_s + value);
    }
    return false;
}

QByteArray bytesOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Fills the file system of `folder` to its last byte; removed again by the destructor.
class Filler {
public:
    explicit Filler(const QString& folder) : file_(folder + u"/filler"_s) {
        QFile f(file_);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray page(4096, 'x');
        while (f.write(page) == page.size()) {
        }
        while (f.write("x", 1) == 1) {
        }
    }
    ~Filler() { QFile::remove(file_); }

private:
    QString file_;
};

} // namespace

class FullDiskTest : public QObject {
    Q_OBJECT
private slots:
    void oldFileSurvives_data() {
        QTest::addColumn<int>("writer");
        QTest::newRow("skin drop renamed an empty file over the old one") << int(WholeFile);
        QTest::newRow("settings key emptied the system sys.ini") << int(IniKey);
        QTest::newRow("password value emptied the registry store") << int(RegistryValue);
        QTest::newRow("autostart entry emptied the launcher copy") << int(AutostartEntry);
    }
    void oldFileSurvives() {
        QFETCH(int, writer);
        if (qEnvironmentVariableIsEmpty("ORVANE_FULL_DISK"))
            QSKIP("needs a small tmpfs: run through tests/environment/with-full-disk");
        const QString root = qEnvironmentVariable("ORVANE_FULL_DISK") + u"/case"_s;
        QDir(root).removeRecursively();
        const Paths paths = Paths::under(root);
        QVERIFY(paths.makeFolders());
        QString file;
        QVERIFY(writeWith(Writer(writer), paths, u"旧"_s, &file));
        const QByteArray before = bytesOf(file);
        QVERIFY(!before.isEmpty());
        {
            Filler filler(root);
            QVERIFY(!writeWith(Writer(writer), paths, QString(3000, u'新'), &file));
        }
        QCOMPARE(bytesOf(file), before);
        // Nothing half-written is left beside it either.
        QCOMPARE(QDir(QFileInfo(file).path()).entryList(QDir::Files),
                 QStringList{QFileInfo(file).fileName()});
        QDir(root).removeRecursively();
    }
};

ORVANE_TEST(FullDiskTest)
#include "test_FullDisk.moc"
