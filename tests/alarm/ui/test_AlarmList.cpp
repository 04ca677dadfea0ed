// The alarm model with its three lists over a real database file: rows aligned with their keys, and
// changes that reach the shown list row by row, keeping its selection and scroll position.
#include "AlarmFixture.h"
#include "TestRegistry.h"
#include "alarm/AlarmLists.h"

#include <QScrollBar>
#include <QTreeWidget>
#include <QWidget>
#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using orvane::test::AlarmFixture;

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
    void loadKeepsRowsAlignedWithKeys() {
        AlarmFixture f;
        QVERIFY(f.ready);
        QVERIFY(f.insert(5, u"每天|2026年12月7日08时30分"_s, u"真|默认"_s, u"真|起床"_s));
        QVERIFY(f.insert(9, u"星期五|2026年12月11日18时00分"_s, u"假|默认"_s, u"真|a|b"_s));
        QVERIFY(f.insert(12, u"每天|2026年12月7日22时05分"_s, u"真|"_s, u"假|It's \"quoted\""_s));

        QWidget window;
        QWidget page(&window);
        f.clock.set(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
        const auto engine = f.engine();
        const AlarmModel& model = engine->model();
        const AlarmLists lists =
            createAlarmLists(&page, &window, model, [&engine](const Alarm& a) { return engine->toolTip(a); });

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
        // The tooltip tells the next ring by the clock: the 08:30 of today has passed.
        QCOMPARE(lists.shown->topLevelItem(0)->data(1, Qt::ToolTipRole).toString(),
                 u"下次响铃：2026年12月9日08时30分"_s);
        QCOMPARE(lists.shown->topLevelItem(1)->data(0, Qt::ToolTipRole).toString(),
                 u"下次响铃：2026年12月11日18时00分"_s);

        // Deleting the middle alarm renumbers the rows from 1. This time the hidden lists are read first: a
        // row gives the same cells whichever list reads it first.
        QVERIFY(engine->remove(9));
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
        QVERIFY(f.db.execute(QStringLiteral("insert into [配置] ([编号]) values (20)")));
        QVERIFY(engine->reload());
        QCOMPARE(rowTexts(lists.shown, 2), (QStringList{u"3"_s, u""_s, u""_s, u""_s}));
        QCOMPARE(rowTexts(lists.flags, 2), (QStringList{u""_s, u""_s, u""_s, u""_s}));
        QCOMPARE(rowTexts(lists.keys, 2), QStringList{u"20"_s});
        QCOMPARE(lists.shown->topLevelItem(2)->data(1, Qt::ToolTipRole).toString(), u"不会再响铃"_s);
    }

    // Every change reaches the list as the change of its one row: the selection and the scroll position
    // stay, the running numbers follow, and texts come back exactly as written.
    void changesKeepTheSelection() {
        AlarmFixture f;
        QVERIFY(f.ready);
        for (int i = 0; i < 30; ++i)
            f.insert(u"每天|2026年1月1日07时%1分;真|默认;真|第%2个"_s.arg(i + 10).arg(i + 1));
        QWidget window;
        QWidget page(&window);
        const auto engine = f.engine();
        const AlarmLists lists = createAlarmLists(&page, &window, engine->model(), {});
        window.show();
        QTreeWidget* shown = lists.shown;
        shown->setCurrentItem(shown->topLevelItem(20));
        shown->scrollToItem(shown->topLevelItem(20));
        const int scrolled = shown->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        const auto selectedReminder = [&] { return selectedAlarm(lists, engine->model())->reminder; };

        const QString nasty = u"真|'); delete from [配置]; --"_s;
        const std::optional<qint64> added =
            engine->add({u"每天|2026年1月1日00时00分"_s, u"真|默认"_s, nasty});
        QVERIFY(added);
        QCOMPARE(shown->topLevelItemCount(), 31);
        QCOMPARE(shown->topLevelItem(30)->text(0), u"31"_s);
        QCOMPARE(shown->topLevelItem(30)->text(2), nasty.mid(2));
        QVERIFY(engine->update(engine->model().keyAt(21),
                               {u"星期日|2026年1月4日07时00分"_s, u"假|默认"_s, u"假|O'Brien"_s}));
        QCOMPARE(shown->topLevelItem(21)->text(2), u"O'Brien"_s);
        QVERIFY(engine->remove(engine->model().keyAt(2)));
        QCOMPARE(shown->topLevelItem(2)->text(0), u"3"_s); // renumbered
        QCOMPARE(shown->topLevelItem(2)->text(2), u"第4个"_s);
        QCOMPARE(selectedReminder(), u"第21个"_s);
        QCOMPARE(shown->verticalScrollBar()->value(), scrolled); // not back to the top
        QCOMPARE(f.rows().back().promptField, nasty);
        // An update of a key no row has is no success and changes nothing.
        QVERIFY(!engine->update(999, {u"每天|x"_s, u"真|默认"_s, u"真|y"_s}));
        QCOMPARE(shown->topLevelItemCount(), 30);
    }
};

ORVANE_TEST(AlarmListTest)
#include "test_AlarmList.moc"
