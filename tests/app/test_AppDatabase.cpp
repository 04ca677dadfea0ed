// Creating, checking and counting in the alarm database file.
#include "AlarmFixture.h"
#include "TempDir.h"
#include "TestRegistry.h"
#include "app/AppDatabase.h"
#include "app/StartCounter.h"

#include <QFile>
#include <QtTest>

using namespace orvane;
using orvane::test::AlarmFixture;
using orvane::test::TempDir;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A real SQLite file built by the test with the given statements.
void makeSqlite(const QString& path, const QString& script) {
    Database db;
    QVERIFY(db.open(path, Database::Open::CreateIfMissing));
    QVERIFY2(db.executeScript(script), qPrintable(db.lastError()));
}

} // namespace

class AppDatabaseTest : public QObject {
    Q_OBJECT
private slots:
    void createdWithThreeEmptyTablesAndCounterZero() {
        TempDir dir;
        const QString path = dir.file(QStringLiteral("dbtime.mdb"));
        QVERIFY(ensureDatabaseFile(path));
        QVERIFY(!QFile::exists(path + QStringLiteral(".new")));
        Database db;
        QCOMPARE(openAlarmDatabase(db, path), DatabaseOpen::Opened);
        for (const char* table : {"配置", "记事本"}) {
            RecordSet rs =
                db.query(QStringLiteral("select count(*) as n from [") + QString::fromUtf8(table) + u']');
            QCOMPARE(rs.integer(QStringLiteral("n")), 0);
        }
        RecordSet counter = db.query(QStringLiteral("select * from [登陆次数]"));
        QVERIFY(!counter.atEnd());
        QCOMPARE(counter.integer(QStringLiteral("登陆次数")), 0);
        QVERIFY(!counter.next());
    }

    void existingFileIsNeverRewritten() {
        TempDir dir;
        const QString path = dir.file(QStringLiteral("dbtime.mdb"));
        QVERIFY(ensureDatabaseFile(path));
        {
            Database db;
            QCOMPARE(openAlarmDatabase(db, path), DatabaseOpen::Opened);
            QVERIFY(db.execute(
                QStringLiteral("insert into [配置] ([提醒时间],[铃声位置],[提示文本]) values (?,?,?)"),
                {QStringLiteral("每天|2010年5月3日08时30分"), QStringLiteral("真|默认"),
                 QStringLiteral("真|开会")}));
        }
        const QByteArray before = bytesOf(path);
        QVERIFY(ensureDatabaseFile(path));
        QCOMPARE(bytesOf(path), before);
        Database db;
        QCOMPARE(openAlarmDatabase(db, path), DatabaseOpen::Opened);
        QCOMPARE(db.query(QStringLiteral("select * from [配置]")).text(QStringLiteral("提示文本")),
                 QStringLiteral("真|开会"));
    }

    void foreignFilesAreRefusedAndLeftAsTheyWere_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("plain text file") << "text";
        QTest::newRow("random bytes with a SQLite-like start") << "garbage";
        QTest::newRow("empty file") << "empty";
        QTest::newRow("database of another program") << "other";
        QTest::newRow("our tables but a column missing") << "missing-column";
        QTest::newRow("schema version newer than this program") << "newer";
        QTest::newRow("truncated copy of our database") << "truncated";
    }
    void foreignFilesAreRefusedAndLeftAsTheyWere() {
        QFETCH(QString, kind);
        TempDir dir;
        const QString path = dir.file(QStringLiteral("dbtime.mdb"));
        if (kind == QLatin1String("text")) {
            writeBytes(path, "Standard Jet DB\nthis is not a database\n");
        } else if (kind == QLatin1String("garbage")) {
            QByteArray bytes("SQLite format 3");
            bytes.append('\0');
            for (int i = 0; i < 5000; ++i)
                bytes.append(char((i * 131 + 7) % 251));
            writeBytes(path, bytes);
        } else if (kind == QLatin1String("empty")) {
            writeBytes(path, QByteArray());
        } else if (kind == QLatin1String("other")) {
            makeSqlite(path,
                       QStringLiteral(
                           "create table notes (id integer, body text); insert into notes values (1, 'x');"));
        } else if (kind == QLatin1String("missing-column")) {
            makeSqlite(path,
                       QStringLiteral("create table [配置] ([编号] integer primary key, [提醒时间] text);"
                                      "create table [记事本] ([编号] integer, [内容] text);"
                                      "create table [登陆次数] ([编号] integer, [登陆次数] integer);"));
        } else if (kind == QLatin1String("newer")) {
            QVERIFY(ensureDatabaseFile(path));
            Database db;
            QVERIFY(db.open(path));
            QVERIFY(db.execute(QStringLiteral("PRAGMA user_version=99")));
        } else if (kind == QLatin1String("truncated")) {
            const QString good = dir.file(QStringLiteral("good.mdb"));
            QVERIFY(ensureDatabaseFile(good));
            writeBytes(path, bytesOf(good).left(1500));
        }
        const QByteArray before = bytesOf(path);
        QVERIFY(ensureDatabaseFile(path)); // present: left alone
        Database db;
        QCOMPARE(openAlarmDatabase(db, path), DatabaseOpen::NotOurs);
        QVERIFY(!db.isOpen());
        QCOMPARE(bytesOf(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral("dbtime")).size(), 1);
    }

    void handMadeDatabaseWithOurTablesIsStamped() {
        TempDir dir;
        const QString path = dir.file(QStringLiteral("dbtime.mdb"));
        makeSqlite(path,
                   QStringLiteral(
                       "create table [配置] ([编号] integer primary key, [提醒时间] text, [铃声位置] text, "
                       "[提示文本] text);"
                       "create table [记事本] ([编号] integer primary key, [内容] text);"
                       "create table [登陆次数] ([编号] integer primary key, [登陆次数] integer not null);"));
        Database db;
        QCOMPARE(openAlarmDatabase(db, path), DatabaseOpen::Opened);
        QCOMPARE(db.query(QStringLiteral("PRAGMA user_version")).integer(QStringLiteral("user_version")),
                 kSchemaVersion);
        // Brought up to date: the table of put-off rings was added.
        QVERIFY(db.execute(
            QStringLiteral("insert into [稍后提醒] ([响铃时间]) values ('2026年1月1日00时00分')")));
    }

    void missingFolderGivesNoFile() {
        TempDir dir;
        const QString path = dir.file(QStringLiteral("no-such-folder/dbtime.mdb"));
        QVERIFY(!ensureDatabaseFile(path));
        Database db;
        QCOMPARE(openAlarmDatabase(db, path), DatabaseOpen::NotOurs);
        QVERIFY(!QFile::exists(path));
    }

    void counter_data() {
        QTest::addColumn<QString>("stored"); // empty: no row
        QTest::addColumn<qint64>("shown");
        QTest::newRow("41 becomes 42") << "41" << qint64(42);
        QTest::newRow("first start after creation") << "0" << qint64(1);
        QTest::newRow("fraction is cut toward zero") << "6.9" << qint64(7);
        QTest::newRow("no counter row counts as 0 and gets one") << "" << qint64(1);
    }
    void counter() {
        QFETCH(QString, stored);
        QFETCH(qint64, shown);
        AlarmFixture f;
        QVERIFY(f.ready);
        Database& db = f.db;
        if (stored.isEmpty())
            QVERIFY(db.execute(QStringLiteral("delete from [登陆次数]")));
        else
            QVERIFY(db.execute(QStringLiteral("update [登陆次数] set [登陆次数]=?"), {stored.toDouble()}));
        QCOMPARE(CountStart(db), shown);
        RecordSet rs = db.query(QStringLiteral("select * from [登陆次数]"));
        QCOMPARE(rs.integer(QStringLiteral("登陆次数")), shown);
        QVERIFY(!rs.next());
        QCOMPARE(startCounterText(shown), QStringLiteral("当前已使用：") + QString::number(shown) + u'次');
    }
};

ORVANE_TEST(AppDatabaseTest)
#include "test_AppDatabase.moc"
