// The alarm rows read beside the start: only from a file that is there, ours and current, never
// changing it, and the same rows the start-up would read itself.
#include "TempDir.h"
#include "TestRegistry.h"
#include "alarm/AlarmLists.h"
#include "alarm/AlarmTable.h"
#include "app/AppDatabase.h"
#include "app/StartWarmUp.h"

#include <QFile>
#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using orvane::test::TempDir;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

// Our database with three alarms (one with a "|" in its text and one with an empty ring path).
void makeAlarms(const QString& path) {
    QVERIFY(ensureDatabaseFile(path));
    Database db;
    QVERIFY(openAlarmDatabase(db, path));
    QVERIFY(db.execute(alarmsql::insert(), {u"每天|2026年12月7日08时30分"_s, u"真|默认"_s, u"真|起床"_s}));
    QVERIFY(db.execute(alarmsql::insert(), {u"星期五|2026年12月11日18时00分"_s, u"真|"_s, u"真|a|b"_s}));
    QVERIFY(db.execute(alarmsql::insert(), {u"每天|2026年12月7日22时05分"_s, u"假|/x.mp3"_s, u"假|读书"_s}));
}

} // namespace

class StartWarmUpTest : public QObject {
    Q_OBJECT
private slots:
    void currentDatabaseGivesTheRowsOfANormalRead() {
        TempDir dir;
        const QString path = dir.file(u"dbtime.mdb"_s);
        makeAlarms(path);
        const QByteArray before = bytesOf(path);

        StartWarmUp warmUp(path);
        const std::optional<std::vector<AlarmListRow>> rows = warmUp.takeAlarmRows();
        QVERIFY(rows.has_value());
        Database db;
        QVERIFY(openAlarmDatabase(db, path));
        QCOMPARE(*rows, readAlarmRows(db));
        QCOMPARE(rows->size(), size_t(3));
        QCOMPARE(rows->at(1).ringPath, QString());
        QCOMPARE(bytesOf(path), before);
        QVERIFY(!warmUp.takeAlarmRows().has_value()); // handed out once
    }

    // Whatever the start-up itself must create, migrate, refuse or wait for is left to it, untouched.
    void otherFilesGiveNothingAndStayAsTheyWere_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << u"missing"_s;
        QTest::newRow("not a database") << u"text"_s;
        QTest::newRow("another program's database") << u"foreign"_s;
        QTest::newRow("an older schema") << u"old"_s;
        QTest::newRow("a newer schema") << u"new"_s;
        QTest::newRow("locked by a writer") << u"locked"_s;
        QTest::newRow("a folder") << u"folder"_s;
    }
    void otherFilesGiveNothingAndStayAsTheyWere() {
        QFETCH(QString, kind);
        TempDir dir;
        const QString path = dir.file(u"dbtime.mdb"_s);
        Database writer;
        if (kind == u"text") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("SQLite format 3? no, a note\n");
        } else if (kind == u"foreign") {
            QVERIFY(writer.open(path, Database::Open::CreateIfMissing));
            QVERIFY(writer.executeScript(u"create table t (a text); insert into t values ('x');"_s));
            writer.close();
        } else if (kind == u"old" || kind == u"new") {
            makeAlarms(path);
            QVERIFY(writer.open(path));
            QVERIFY(writer.execute(u"PRAGMA user_version="_s + (kind == u"old" ? u"0"_s : u"99"_s)));
            writer.close();
        } else if (kind == u"locked") {
            makeAlarms(path);
            QVERIFY(writer.open(path));
            QVERIFY(writer.execute(u"BEGIN EXCLUSIVE"_s));
        } else if (kind == u"folder") {
            QVERIFY(QDir().mkdir(path));
        }
        const QByteArray before = bytesOf(path);

        QElapsedTimer waited;
        waited.start();
        QVERIFY(!prefetchAlarmRows(path).has_value());
        QVERIFY2(waited.elapsed() < 1000, "a locked file must not be waited for");
        QCOMPARE(bytesOf(path), before);
        QCOMPARE(QFile::exists(path), kind != u"missing");
        QVERIFY(!QFile::exists(path + u"-journal"_s) || kind == u"locked");
    }
};

ORVANE_TEST(StartWarmUpTest)
#include "test_StartWarmUp.moc"
