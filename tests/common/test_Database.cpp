// The database object over a real SQLite file: record sets, bound parameters, failures.
#include "TempDir.h"
#include "TestRegistry.h"
#include "common/Database.h"

#include <QFile>
#include <QtTest>

using namespace orvane;
using orvane::test::TempDir;

class DatabaseTest : public QObject {
    Q_OBJECT
private slots:
    void openExistingOnlyCreatesNothing() {
        TempDir dir;
        Database db;
        QVERIFY(!db.open(dir.file(QStringLiteral("absent.db"))));
        QVERIFY(!db.isOpen());
        QVERIFY(!QFile::exists(dir.file(QStringLiteral("absent.db"))));
        RecordSet rs = db.query(QStringLiteral("select 1"));
        QVERIFY(!rs.isValid());
        QVERIFY(rs.atEnd());
        QVERIFY(!db.execute(QStringLiteral("select 1")));
    }

    void recordSetWalksEveryRowAndRewinds() {
        TempDir dir;
        Database db;
        QVERIFY(db.open(dir.file(QStringLiteral("t.db")), Database::Open::CreateIfMissing));
        QVERIFY(db.executeScript(
            QStringLiteral("create table [表] ([编号] integer primary key, [内容] text, [值] real);")));
        const QStringList texts{QStringLiteral("它's"), QStringLiteral("a|b"), QStringLiteral("行一\r\n行二"),
                                QString(), QStringLiteral("\"双\"")};
        for (const QString& t : texts)
            QVERIFY(db.execute(QStringLiteral("insert into [表] ([内容],[值]) values (?,?)"),
                               {t.isNull() ? QVariant() : QVariant(t), 2.5}));
        QCOMPARE(db.lastInsertId(), 5);

        RecordSet rs = db.query(QStringLiteral("select * from [表] order by [编号]"));
        QVERIFY(rs.isValid());
        QStringList read;
        for (rs.first(); !rs.atEnd(); rs.next())
            read << rs.text(QStringLiteral("内容"));
        QCOMPARE(read, texts);
        QVERIFY(!rs.next()); // past the end stays there
        QVERIFY(rs.field(QStringLiteral("内容")).isNull());
        QVERIFY(rs.first()); // back to the first row
        QCOMPARE(rs.integer(QStringLiteral("编号")), 1);
        QCOMPARE(rs.field(QStringLiteral("值")).toDouble(), 2.5);
        QVERIFY(rs.field(QStringLiteral("no such column")).isNull());
        // By column: the values by name, for integers, texts, nulls and reals alike.
        const int id = rs.column(QStringLiteral("编号")), content = rs.column(QStringLiteral("内容")),
                  value = rs.column(QStringLiteral("值"));
        int rows = 0;
        for (rs.first(); !rs.atEnd(); rs.next(), ++rows) {
            QCOMPARE(rs.text(content), rs.text(QStringLiteral("内容")));
            QCOMPARE(rs.text(content).isNull(), rows == 3);
            QCOMPARE(rs.text(value), QStringLiteral("2.5"));
            QCOMPARE(rs.text(id), QString::number(rows + 1));
            QCOMPARE(rs.integer(id), rows + 1);
        }
        QCOMPARE(rows, 5);
        QCOMPARE(rs.text(content), QString()); // at the end
        QCOMPARE(rs.column(QStringLiteral("no such column")), -1);
        QVERIFY(rs.first());
        QCOMPARE(rs.text(-1), QString());
        QCOMPARE(rs.text(3), QString());
        rs.close();
        // Two columns of one name: each is read by its own position.
        RecordSet twins = db.query(QStringLiteral("select 'x' as [a], 7.5 as [a], 3 as [a]"));
        QCOMPARE(twins.text(1), QStringLiteral("7.5"));
        QCOMPARE(twins.integer(2), 3);
        QCOMPARE(twins.text(QStringLiteral("a")), QStringLiteral("x"));
        QVERIFY(rs.atEnd());
        QVERIFY(!rs.first());
    }

    void failuresAreReported_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("params");
        QTest::newRow("syntax error") << "selec * from t" << 0;
        QTest::newRow("unknown table") << "insert into nothing values (1)" << 0;
        QTest::newRow("too few parameters") << "insert into t (a) values (?)" << 0;
        QTest::newRow("too many parameters") << "insert into t (a) values (?)" << 2;
        QTest::newRow("constraint violated") << "insert into t (a) values (null)" << 0;
    }
    void failuresAreReported() {
        QFETCH(QString, sql);
        QFETCH(int, params);
        TempDir dir;
        Database db;
        QVERIFY(db.open(dir.file(QStringLiteral("t.db")), Database::Open::CreateIfMissing));
        QVERIFY(db.execute(QStringLiteral("create table t (a integer not null)")));
        QVariantList values;
        for (int i = 0; i < params; ++i)
            values << i;
        QVERIFY(!db.execute(sql, values));
        QVERIFY(!db.lastError().isEmpty());
        QVERIFY(db.query(sql, values).atEnd());
        RecordSet count = db.query(QStringLiteral("select count(*) as n from t"));
        QCOMPARE(count.integer(QStringLiteral("n")), 0);
    }

    void movedRecordSetKeepsItsRow() {
        TempDir dir;
        Database db;
        QVERIFY(db.open(dir.file(QStringLiteral("t.db")), Database::Open::CreateIfMissing));
        RecordSet a = db.query(QStringLiteral("select 'x' as v union all select 'y'"));
        RecordSet b = std::move(a);
        QVERIFY(a.atEnd());
        QCOMPARE(b.text(QStringLiteral("v")), QStringLiteral("x"));
        QVERIFY(b.next());
        QCOMPARE(b.text(QStringLiteral("V")), QStringLiteral("y"));
    }
};

ORVANE_TEST(DatabaseTest)
#include "test_Database.moc"
