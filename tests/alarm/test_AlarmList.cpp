// Splitting stored alarm texts and loading the three row-aligned lists from a real database file.
#include "TempDir.h"
#include "TestRegistry.h"
#include "alarm/AlarmLists.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRows.h"
#include "alarm/AlarmTable.h"
#include "app/AppDatabase.h"

#include <QTreeWidget>
#include <QWidget>
#include <QtTest>

#include <limits>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using orvane::test::TempDir;

namespace {
QStringList rowTexts(QTreeWidget* list, int row) {
    QStringList texts;
    for (int c = 0; c < list->columnCount(); ++c)
        texts << list->topLevelItem(row)->text(c);
    return texts;
}
QStringList rowTexts(const HiddenList* list, int row) {
    QStringList texts;
    for (int c = 0; c < list->columnCount(); ++c)
        texts << list->text(row, c);
    return texts;
}
} // namespace

class AlarmListTest : public QObject {
    Q_OBJECT
private slots:
    void splitting_data() {
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("ring");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QStringList>("shown");  // 编号, 闹钟时间, 闹钟事件, 工作日期
        QTest::addColumn<QStringList>("hidden"); // 提醒类型, 是否铃声, 是否弹窗, 铃声位置
        QTest::newRow("ordinary alarm")
            << "每天|2010年5月3日08时30分"
            << "真|默认"
            << "真|开会" << QStringList{u"1"_s, u"2010年5月3日08时30分"_s, u"开会"_s, u"每天"_s}
            << QStringList{u"每天"_s, u"真"_s, u"真"_s, u"默认"_s};
        QTest::newRow("| in the reminder empties the shown text, keeps the popup flag")
            << "星期一|2010年5月3日08时30分"
            << "假|/home/u/a.mp3"
            << "真|a|b" << QStringList{u"1"_s, u"2010年5月3日08时30分"_s, u""_s, u"星期一"_s}
            << QStringList{u"星期一"_s, u"假"_s, u"真"_s, u"/home/u/a.mp3"_s};
        QTest::newRow("empty ring path is an empty cell")
            << "每天|2010年5月3日08时30分"
            << "真|"
            << "假|" << QStringList{u"1"_s, u"2010年5月3日08时30分"_s, u""_s, u"每天"_s}
            << QStringList{u"每天"_s, u"真"_s, u"假"_s, u""_s};
        QTest::newRow("| in the sound path leaves its cell empty")
            << "每天|2010年5月3日08时30分"
            << "真|/a|b.mp3"
            << "真|x" << QStringList{u"1"_s, u"2010年5月3日08时30分"_s, u"x"_s, u"每天"_s}
            << QStringList{u"每天"_s, u"真"_s, u"真"_s, u""_s};
        QTest::newRow("empty stored texts do not fail")
            << ""
            << ""
            << "" << QStringList{u"1"_s, u""_s, u""_s, u""_s} << QStringList{u""_s, u""_s, u""_s, u""_s};
        QTest::newRow("due text without a |: only the rule is known")
            << "每天"
            << "真|默认"
            << "真|开会" << QStringList{u"1"_s, u""_s, u"开会"_s, u""_s}
            << QStringList{u"每天"_s, u"真"_s, u"真"_s, u"默认"_s};
        QTest::newRow("texts without any |: flags only, every other cell empty")
            << "每天"
            << "真"
            << "假" << QStringList{u"1"_s, u""_s, u""_s, u""_s}
            << QStringList{u"每天"_s, u"真"_s, u"假"_s, u""_s};
        QTest::newRow("| at the start: empty first pieces, the rest in place")
            << "|2010年5月3日08时30分"
            << "|默认"
            << "|开会" << QStringList{u"1"_s, u"2010年5月3日08时30分"_s, u"开会"_s, u""_s}
            << QStringList{u""_s, u""_s, u""_s, u"默认"_s};
        QTest::newRow("|| in the reminder and path: three pieces, cells empty")
            << "每天||2010年5月3日08时30分"
            << "真||"
            << "真||" << QStringList{u"1"_s, u""_s, u""_s, u"每天"_s}
            << QStringList{u"每天"_s, u"真"_s, u"真"_s, u""_s};
        QTest::newRow("extra pieces of the due text are ignored")
            << "每天|2010年5月3日08时30分|x"
            << "真|默认"
            << "真|y" << QStringList{u"1"_s, u"2010年5月3日08时30分"_s, u"y"_s, u"每天"_s}
            << QStringList{u"每天"_s, u"真"_s, u"真"_s, u"默认"_s};
    }
    void splitting() {
        QFETCH(QString, due);
        QFETCH(QString, ring);
        QFETCH(QString, prompt);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        const AlarmListRow row = alarmListRow(1, {7, due, ring, prompt});
        QCOMPARE((QStringList{row.number, row.dueText, row.reminderText, row.weekdayColumn}), shown);
        QCOMPARE((QStringList{row.repeatRule, row.ringFlag, row.popupFlag, row.ringPath}), hidden);
        QCOMPARE(row.key, QStringLiteral("7"));
    }

    // The running number and the key are written as QString::number writes them.
    void numbers_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<qint64>("key");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("keyText");
        QTest::newRow("a zero digit inside is kept") << 10 << qint64(100) << u"10"_s << u"100"_s;
        QTest::newRow("digits in their order, not reversed")
            << 1234 << qint64(56789) << u"1234"_s << u"56789"_s;
        QTest::newRow("key 0 is one digit, not empty") << 1 << qint64(0) << u"1"_s << u"0"_s;
        QTest::newRow("largest key keeps all 19 digits") << 2147483647 << std::numeric_limits<qint64>::max()
                                                         << u"2147483647"_s << u"9223372036854775807"_s;
        QTest::newRow("negative key keeps its sign") << 3 << qint64(-42) << u"3"_s << u"-42"_s;
    }
    void numbers() {
        QFETCH(int, n);
        QFETCH(qint64, key);
        QFETCH(QString, number);
        QFETCH(QString, keyText);
        const AlarmListRow row = alarmListRow(n, {key, u"每天|x"_s, u"真|默认"_s, u"真|y"_s});
        QCOMPARE(row.number, number);
        QCOMPARE(row.key, keyText);
    }

    // A list load keeps the texts as stored and cuts a row at its first read; the cells must be those
    // the decoded texts give, whatever the bytes.
    void storedBytesCutAsDecoded_data() {
        QTest::addColumn<QByteArray>("due");
        QTest::addColumn<QByteArray>("ring");
        QTest::addColumn<QByteArray>("prompt");
        QTest::newRow("ordinary Chinese texts") << "每天|2026年12月7日08时30分"_ba
                                                << "真|默认"_ba
                                                << "真|开会"_ba;
        QTest::newRow("a byte-order mark at the start of each text") << "\xEF\xBB\xBF每天|x"_ba
                                                                     << "\xEF\xBB\xBF真|默认"_ba
                                                                     << "\xEF\xBB\xBF真|y"_ba;
        QTest::newRow("bad bytes become replacement characters") << "每天|\xFF\xFE"_ba
                                                                 << "真|/a/\xC3(.mp3"_ba
                                                                 << "\x80|z"_ba;
        // The decoder must not carry the cut sequence over into the next text.
        QTest::newRow("a text ending inside a character") << "每天|2026\xE5\xB9"_ba
                                                          << "\xB4真|默认"_ba
                                                          << "真|\xE5"_ba;
        QTest::newRow("empty texts") << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("texts longer than the stack buffer")
            << ("每天|" + QByteArray(900, 'x')) << ("真|" + QByteArray(300, 'y'))
            << ("真|" + QByteArray(1200, 'z'));
    }
    void storedBytesCutAsDecoded() {
        QFETCH(QByteArray, due);
        QFETCH(QByteArray, ring);
        QFETCH(QByteArray, prompt);
        StoredAlarm stored;
        stored.key = 42;
        stored.texts = due + ring + prompt;
        stored.dueEnd = due.size();
        stored.ringEnd = due.size() + ring.size();
        const AlarmListRow expected =
            alarmListRow(3, {42, QString::fromUtf8(due), QString::fromUtf8(ring), QString::fromUtf8(prompt)});
        AlarmRows rows({StoredAlarm{}, StoredAlarm{}, stored});
        QCOMPARE(rows.cells(2), expected);
        QCOMPARE(rows.cells(2), expected); // read again: the cut is kept, not redone from emptied texts
    }

    void loadKeepsRowsAlignedWithKeys() {
        TempDir dir;
        const QString path = dir.file(QStringLiteral("dbtime.mdb"));
        QVERIFY(ensureDatabaseFile(path));
        Database db;
        QVERIFY(openAlarmDatabase(db, path));
        const QString insertWithKey =
            QStringLiteral("insert into [配置] ([编号],[提醒时间],[铃声位置],[提示文本]) values (?,?,?,?)");
        QVERIFY(db.execute(insertWithKey, {5, QStringLiteral("每天|2026年12月7日08时30分"),
                                           QStringLiteral("真|默认"), QStringLiteral("真|起床")}));
        QVERIFY(db.execute(insertWithKey, {9, QStringLiteral("星期五|2026年12月11日18时00分"),
                                           QStringLiteral("假|默认"), QStringLiteral("真|a|b")}));
        QVERIFY(db.execute(insertWithKey, {12, QStringLiteral("每天|2026年12月7日22时05分"),
                                           QStringLiteral("真|"), QStringLiteral("假|It's \"quoted\"")}));

        QWidget window;
        QWidget page(&window);
        const AlarmLists lists = createAlarmLists(&page, &window);
        // A stale row from an earlier load must disappear.
        lists.shown->addTopLevelItem(new QTreeWidgetItem(QStringList{u"stale"_s}));
        LoadAlarmList(db, lists);

        QCOMPARE(lists.shown->topLevelItemCount(), 3);
        QCOMPARE(lists.flags->rowCount(), 3);
        QCOMPARE(lists.keys->rowCount(), 3);
        QCOMPARE(rowTexts(lists.shown, 0),
                 (QStringList{u"1"_s, u"2026年12月7日08时30分"_s, u"起床"_s, u"每天"_s}));
        QCOMPARE(rowTexts(lists.shown, 1),
                 (QStringList{u"2"_s, u"2026年12月11日18时00分"_s, u""_s, u"星期五"_s}));
        QCOMPARE(rowTexts(lists.shown, 2),
                 (QStringList{u"3"_s, u"2026年12月7日22时05分"_s, u"It's \"quoted\""_s, u"每天"_s}));
        QCOMPARE(rowTexts(lists.keys, 0), QStringList{u"5"_s});
        QCOMPARE(rowTexts(lists.keys, 1), QStringList{u"9"_s});
        QCOMPARE(rowTexts(lists.keys, 2), QStringList{u"12"_s});
        QCOMPARE(rowTexts(lists.flags, 1), (QStringList{u"星期五"_s, u"假"_s, u"真"_s, u"默认"_s}));
        QCOMPARE(rowTexts(lists.flags, 2), (QStringList{u"每天"_s, u"真"_s, u"假"_s, u""_s}));
        QCOMPARE(lists.shown->headerItem()->text(2), QStringLiteral("闹钟事件(双击修改)"));
        QCOMPARE(lists.shown->columnWidth(1), 160);

        // Deleting the middle alarm and reloading renumbers the rows from 1. This time the hidden lists
        // are read first: a row gives the same cells whichever list reads it first.
        QVERIFY(db.execute(alarmsql::deleteByKey(), {9}));
        LoadAlarmList(db, lists);
        QCOMPARE(rowTexts(lists.keys, 1), QStringList{u"12"_s});
        QCOMPARE(rowTexts(lists.flags, 1), (QStringList{u"每天"_s, u"真"_s, u"假"_s, u""_s}));
        QCOMPARE(rowTexts(lists.shown, 1),
                 (QStringList{u"2"_s, u"2026年12月7日22时05分"_s, u"It's \"quoted\""_s, u"每天"_s}));
        // A shown cell set later stays in its row and leaves the hidden cells alone.
        lists.shown->topLevelItem(0)->setText(2, u"改了"_s);
        QCOMPARE(lists.shown->topLevelItem(0)->text(2), u"改了"_s);
        QCOMPARE(lists.flags->text(0, 2), u"真"_s);
        // The hidden lists shrink with the shown one; a row or column they lack reads as empty.
        QCOMPARE(lists.flags->rowCount(), 2);
        QCOMPARE(lists.keys->text(2, 0), QString());
        QCOMPARE(lists.flags->text(-1, 0), QString());
        QCOMPARE(lists.flags->text(1, 4), QString());

        // Fields left NULL by another program read as empty texts.
        QVERIFY(db.execute(QStringLiteral("insert into [配置] ([编号]) values (20)")));
        LoadAlarmList(db, lists);
        QCOMPARE(rowTexts(lists.shown, 2), (QStringList{u"3"_s, u""_s, u""_s, u""_s}));
        QCOMPARE(rowTexts(lists.flags, 2), (QStringList{u""_s, u""_s, u""_s, u""_s}));
        QCOMPARE(rowTexts(lists.keys, 2), QStringList{u"20"_s});
    }

    // Every statement of the table keeps quotes and "|" exactly and touches only its own row.
    void statementsRoundTrip() {
        TempDir dir;
        const QString path = dir.file(QStringLiteral("dbtime.mdb"));
        QVERIFY(ensureDatabaseFile(path));
        Database db;
        QVERIFY(openAlarmDatabase(db, path));
        const QString nasty = QStringLiteral("真|'); delete from [配置]; --");
        QVERIFY(db.execute(alarmsql::insert(),
                           {QStringLiteral("每天|2026年1月1日00时00分"), QStringLiteral("真|默认"), nasty}));
        const qint64 first = db.lastInsertId();
        QVERIFY(db.execute(alarmsql::insert(), {QStringLiteral("每天|2026年1月1日00时01分"),
                                                QStringLiteral("真|默认"), QStringLiteral("真|b")}));
        const qint64 second = db.lastInsertId();
        QVERIFY(db.execute(alarmsql::update(),
                           {QStringLiteral("星期日|2026年1月4日07时00分"), QStringLiteral("假|默认"),
                            QStringLiteral("假|O'Brien"), second}));
        RecordSet rs = db.query(alarmsql::selectByKey(), {second});
        QCOMPARE(rs.text(QStringLiteral("提示文本")), QStringLiteral("假|O'Brien"));
        rs.close();
        const std::vector<AlarmRecord> records = readAlarmRecords(db);
        QCOMPARE(records.size(), size_t(2));
        QCOMPARE(records.at(0).key, first);
        QCOMPARE(records.at(0).promptField, nasty);
        QVERIFY(db.execute(alarmsql::deleteByKey(), {first}));
        QCOMPARE(readAlarmRecords(db).size(), size_t(1));
    }
};

ORVANE_TEST(AlarmListTest)
#include "test_AlarmList.moc"
