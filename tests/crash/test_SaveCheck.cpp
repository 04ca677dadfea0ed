// Tests of the crash test itself: the check finds each kind of loss, and only successful saves are reported.
#include "SaveLoop.h"

#include "TempDir.h"
#include "TestRegistry.h"
#include "platform/IniProfile.h"
#include "platform/RegistryValues.h"
#include "platform/SystemSettings.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace orvane;
using namespace orvane::crash;

namespace {

enum class Damage {
    None,
    AlarmDeleted,
    LongAlarmDeleted,
    AlarmRingChanged,
    DiaryDeleted,
    DatabaseGarbage,
    DatabaseRemoved,
    DatabasePageZeroed,
    SettingsEmptied,
    SettingsCutMidLine,
    SettingsLineHalf,
    SettingsCounterBack,
    SettingsKeyLost,
    RegistryBack,
    RegistryOpenToOthers,
    RegistryRemoved,
    ReportLineCut,
};

// A store after seven rounds of saves (round 7 holds the long texts), its database closed, and the log.
struct Saved {
    test::TempDir dir;
    Paths paths = Paths::under(dir.path());
    QByteArray log;
    bool ok = false;

    Saved() {
        Database db;
        const qint64 run = openStore(paths, db);
        ok = run == 1 && saveLoop(paths, db, run, 7, [this](const QByteArray& line) { log += line + '\n'; });
    }
    QString database() const { return paths.windowsFile(QStringLiteral("dbtime.mdb")); }
    QString sysIni() const { return paths.windowsFile(QStringLiteral("sys.ini")); }
    bool sql(const QString& statement) {
        Database db;
        return db.open(database()) && db.execute(statement);
    }
};

bool put(const QString& file, const QByteArray& bytes, qint64 at = 0, bool truncate = true) {
    QFile out(file);
    if (!out.open(truncate ? QIODevice::WriteOnly : QIODevice::ReadWrite) || !out.seek(at))
        return false;
    return out.write(bytes) == bytes.size();
}

QByteArray bytesOf(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

bool apply(Damage damage, Saved& s) {
    const QString section = SystemSettings::section();
    switch (damage) {
    case Damage::None:
        return true;
    case Damage::AlarmDeleted:
        return s.sql(QStringLiteral("delete from [配置] where [提示文本]='假|闹钟 1-3'"));
    case Damage::LongAlarmDeleted:
        return s.sql(QStringLiteral("delete from [配置] where [提示文本] like '假|闹钟 1-7%'"));
    case Damage::AlarmRingChanged:
        return s.sql(QStringLiteral("update [配置] set [铃声位置]='真|默认' where [提示文本]='假|闹钟 1-2'"));
    case Damage::DiaryDeleted:
        return s.sql(QStringLiteral("delete from [记事本] where [内容]='日记 1-5'"));
    case Damage::DatabaseGarbage:
        return put(s.database(), QByteArray(8192, 'x'));
    case Damage::DatabaseRemoved:
        return QFile::remove(s.database());
    case Damage::DatabasePageZeroed: // page 2 (of 4,096 bytes): the root of the table "配置"
        return put(s.database(), QByteArray(4096, '\0'), 4096, false);
    case Damage::SettingsEmptied:
        return put(s.sysIni(), QByteArray());
    case Damage::SettingsCutMidLine:
        return put(s.sysIni(), bytesOf(s.sysIni()).chopped(3));
    case Damage::SettingsLineHalf:
        return put(s.sysIni(), bytesOf(s.sysIni()) + "保存\n");
    case Damage::SettingsCounterBack:
        return IniProfile::write(s.sysIni(), section, counterKey(), QStringLiteral("3"));
    case Damage::SettingsKeyLost:
        return put(s.sysIni(), "[系统配置]\n保存次数=7\n");
    case Damage::RegistryBack:
        return IniProfile::write(s.paths.registryFile(), settings::passwordKey(), settings::passwordValue(),
                                 QStringLiteral("1"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    case Damage::RegistryOpenToOthers:
        return QFile::setPermissions(s.paths.registryFile(), QFileDevice::ReadOwner |
                                                                 QFileDevice::WriteOwner |
                                                                 QFileDevice::ReadOther);
    case Damage::RegistryRemoved:
        return QFile::remove(s.paths.registryFile());
    case Damage::ReportLineCut: // a line cut by a kill and continued by the next run
        s.log += "alaalarm 2-1\n";
        return true;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(Damage)

class SaveCheckTest : public QObject {
    Q_OBJECT
private slots:
    void findsLoss_data() {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<QString>("problem"); // the start of the one problem expected; empty for none
        QTest::newRow("sound store called damaged") << Damage::None << QString();
        QTest::newRow("lost alarm row unnoticed") << Damage::AlarmDeleted << u"alarm 1-3 is missing"_qs;
        QTest::newRow("lost row of overflow pages unnoticed")
            << Damage::LongAlarmDeleted << u"alarm 1-7 is missing"_qs;
        QTest::newRow("altered alarm row unnoticed")
            << Damage::AlarmRingChanged << u"alarm 1-2 is altered"_qs;
        QTest::newRow("lost diary entry unnoticed")
            << Damage::DiaryDeleted << u"diary entry 1-5 is missing"_qs;
        QTest::newRow("garbage database called sound")
            << Damage::DatabaseGarbage << u"the database does not open"_qs;
        QTest::newRow("vanished database unnoticed") << Damage::DatabaseRemoved << u"the database file is"_qs;
        QTest::newRow("zeroed page unnoticed") << Damage::DatabasePageZeroed << u"the database fails"_qs;
        QTest::newRow("empty settings file unnoticed") << Damage::SettingsEmptied << u"sys.ini is empty"_qs;
        QTest::newRow("settings cut mid-line unnoticed")
            << Damage::SettingsCutMidLine << u"sys.ini is cut"_qs;
        QTest::newRow("half key line unnoticed") << Damage::SettingsLineHalf << u"sys.ini holds a half"_qs;
        QTest::newRow("older counter taken for the reported one")
            << Damage::SettingsCounterBack << u"sys.ini holds the counter \"3\", but 7"_qs;
        QTest::newRow("other keys lost in a rewrite unnoticed")
            << Damage::SettingsKeyLost << u"sys.ini lost"_qs;
        QTest::newRow("older registry value taken for the reported one")
            << Damage::RegistryBack << u"registry.ini holds \"1\", but 2"_qs;
        QTest::newRow("registry left readable by others")
            << Damage::RegistryOpenToOthers << u"registry.ini is readable by others (mode 604)"_qs;
        QTest::newRow("vanished registry unnoticed")
            << Damage::RegistryRemoved << u"registry.ini is missing"_qs;
        QTest::newRow("cut report line skipped") << Damage::ReportLineCut << u"unreadable report line"_qs;
    }
    void findsLoss() {
        QFETCH(Damage, damage);
        QFETCH(QString, problem);
        Saved s;
        QVERIFY(s.ok);
        QVERIFY(apply(damage, s));
        const QStringList problems = checkStore(s.paths, readReported(s.log));
        if (problem.isEmpty()) {
            QCOMPARE(problems, QStringList());
        } else {
            QVERIFY2(!problems.isEmpty() && problems.first().startsWith(problem),
                     qPrintable(problems.join(u'\n')));
        }
    }

    // A save that fails must not be reported, or a loss of it would go unseen.
    void reportsOnlySuccess_data() {
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QByteArray>("log");
        QTest::newRow("refused alarm reported") << u"database"_qs << QByteArray();
        QTest::newRow("refused settings write reported")
            << u"sys.ini"_qs << QByteArray("alarm 1-1\ndiary 1-1\n");
    }
    void reportsOnlySuccess() {
        QFETCH(QString, refusal);
        QFETCH(QByteArray, log);
        test::TempDir dir;
        const Paths paths = Paths::under(dir.path());
        Database db;
        const qint64 run = openStore(paths, db);
        QCOMPARE(run, 1);
        if (refusal == u"database"_qs) {
            QVERIFY(db.execute(QStringLiteral("PRAGMA query_only=1")));
        } else { // a folder where the file was: it can be neither read nor replaced
            QVERIFY(QFile::remove(paths.windowsFile(QStringLiteral("sys.ini"))));
            QVERIFY(QDir().mkdir(paths.windowsFile(QStringLiteral("sys.ini"))));
        }
        QByteArray written;
        QVERIFY(!saveLoop(paths, db, run, 3, [&written](const QByteArray& line) { written += line + '\n'; }));
        QCOMPARE(written, log);
    }
};

ORVANE_TEST(SaveCheckTest)
#include "test_SaveCheck.moc"
