// Add, modify, delete and cancelling a put-off ring on the alarm list through its real widgets, with a
// scripted password gate.
#include "AlarmFixture.h"
#include "ScriptedDialogs.h"
#include "TestRegistry.h"
#include "alarm/AlarmEditorWindow.h"
#include "alarm/AlarmListCommands.h"
#include "alarm/AlarmPage.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Three alarms with the keys 5, 9 and 12, shown as rows 1, 2, 3.
struct Fixture : AlarmFixture {
    ScriptedDialogs dialogs;
    QWidget window;
    QWidget* page = new QWidget(&window);
    std::unique_ptr<AlarmEngine> engine =
        (clock.set(QDateTime(QDate(2026, 12, 7), QTime(8, 5, 9))), AlarmFixture::engine());
    AlarmPage alarmPage{page, &window, *engine};
    AlarmEditorWindow* editor = nullptr;
    int gateCalls = 0;
    AlarmListCommands commands{*engine, alarmPage.lists(), dialogs, [this] { return ++gateCalls > 0; },
                               [this] {
                                   if (editor == nullptr)
                                       editor = new AlarmEditorWindow(*engine, dialogs, clock, &window);
                                   return editor;
                               }};

    Fixture() {
        QVERIFY(ready);
        for (int key : {5, 9, 12})
            QVERIFY(db.execute(
                u"insert into [配置] ([编号],[提醒时间],[铃声位置],[提示文本]) values (?,?,?,?)"_s,
                {key, u"每天|2026年12月7日08时%1分"_s.arg(key), u"真|默认"_s, u"真|alarm %1"_s.arg(key)}));
        engine->reload();
        commands.connectTo(alarmPage);
        window.resize(530, 278);
        page->setGeometry(0, 0, 373, 245);
        window.show();
    }
    QTreeWidget* list() const { return alarmPage.lists().shown; }
    QPoint rowCenter(int row) const { return list()->visualItemRect(list()->topLevelItem(row)).center(); }
    QPoint emptySpace() const { return {20, list()->viewport()->height() - 5}; }
    QStringList column(QTreeWidget* l, int column = 0) const {
        QStringList texts;
        for (int i = 0; i < l->topLevelItemCount(); ++i)
            texts << l->topLevelItem(i)->text(column);
        return texts;
    }
    QStringList column(const HiddenList* l, int column = 0) const {
        QStringList texts;
        for (int i = 0; i < l->rowCount(); ++i)
            texts << l->text(i, column);
        return texts;
    }
    QStringList storedKeys() {
        QStringList keys;
        for (const AlarmRecord& r : readAlarmRecords(db))
            keys << QString::number(r.key);
        return keys;
    }
    // As a real double-click comes: press and release, then the double-click (Qt Test sends only that).
    void doubleClick(QPoint at) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
    }
    void rightClick(QPoint at) {
        QWidget* viewport = list()->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QCoreApplication::sendEvent(viewport, &event);
        QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
    }
};

} // namespace

class AlarmListCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void deletingRowTwoDeletesKeyNine() {
        Fixture f;
        f.list()->topLevelItem(1)->setSelected(true);
        f.alarmPage.deleteButton()->click();
        QCOMPARE(f.gateCalls, 1);
        QCOMPARE(f.storedKeys(), (QStringList{u"5"_s, u"12"_s}));
        QCOMPARE(f.column(f.list()), (QStringList{u"1"_s, u"2"_s}));
        QCOMPARE(f.column(f.alarmPage.lists().keys), (QStringList{u"5"_s, u"12"_s}));
        QCOMPARE(f.column(f.list(), 2), (QStringList{u"alarm 5"_s, u"alarm 12"_s}));
        QVERIFY(f.dialogs.shown().isEmpty()); // no question, no success message
    }

    // The gate passes but no row is selected; the gate is still asked first.
    void nothingSelected_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("double-click on empty space: nothing after the gate") << u"modify"_s << u""_s;
        QTest::newRow("delete with nothing selected") << u"delete"_s << u"请选择要删除的闹钟"_s;
    }
    void nothingSelected() {
        QFETCH(QString, command);
        QFETCH(QString, message);
        Fixture f;
        if (command == u"delete")
            f.alarmPage.deleteButton()->click();
        else // the view selects nothing where there is no row; the command still runs
            f.doubleClick(f.emptySpace());
        QCOMPARE(f.gateCalls, 1);
        QCOMPARE(f.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.editor, nullptr);
        QCOMPARE(f.storedKeys().size(), 3);
    }

    void doubleClickOpensTheRowForModifying() {
        Fixture f;
        f.doubleClick(f.rowCenter(1));
        QCOMPARE(f.gateCalls, 1);
        QVERIFY(f.editor && f.editor->isVisible());
        QCOMPARE(f.editor->mode(), AlarmEditorWindow::Mode::Modify);
        QCOMPARE(f.editor->pendingAlarmNumber(), 9);
        QCOMPARE(f.editor->findChild<QPlainTextEdit*>(u"编辑框_弹窗内容"_s)->toPlainText(), u"alarm 9"_s);
        QCOMPARE(f.editor->findChild<QPushButton*>(u"按钮_添加"_s)->text(), u"修改"_s);
    }

    void menuOnItemsOnly() {
        Fixture f;
        const auto rightClick = [&f](QPoint at) { f.rightClick(at); };
        rightClick(f.emptySpace());
        QVERIFY(!f.commands.alarmMenu()->isVisible());
        rightClick(f.rowCenter(2));
        QMenu* menu = f.commands.alarmMenu();
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->title(), u"我的闹钟"_s);
        QStringList shown;
        for (QAction* action : menu->actions())
            if (action->isVisible())
                shown << action->text();
        QCOMPARE(shown, (QStringList{u"添加闹钟"_s, u"删除闹钟"_s, u"跳过下次"_s}));
        menu->actions().at(1)->trigger(); // deletes the row the right-click selected
        QCOMPARE(f.storedKeys(), (QStringList{u"5"_s, u"9"_s}));
        menu->actions().at(0)->trigger();
        QCOMPARE(f.editor->mode(), AlarmEditorWindow::Mode::Add);
        QCOMPARE(f.gateCalls, 2);
    }

    // A row whose alarm was put off offers to cancel that ring; after it, the row rings no more today.
    void putOffRingCancelledFromTheMenu() {
        Fixture f;
        f.clock.set(QDateTime(QDate(2026, 12, 7), QTime(8, 12, 0)));
        f.engine->tick(); // alarm 12 rings at 08:12
        QVERIFY(f.engine->ringer().current());
        f.engine->ringer().Snooze();
        QCOMPARE(f.list()->topLevelItem(2)->data(1, Qt::ToolTipRole).toString(),
                 u"稍后提醒：08:17\n下次响铃：2026年12月8日08时12分"_s);
        f.rightClick(f.rowCenter(2));
        QAction* cancel = f.commands.alarmMenu()->actions().at(2);
        QVERIFY(cancel->isVisible());
        QCOMPARE(cancel->text(), u"取消稍后提醒（08:17）"_s);
        cancel->trigger();
        QCOMPARE(f.list()->topLevelItem(2)->data(1, Qt::ToolTipRole).toString(),
                 u"下次响铃：2026年12月8日08时12分"_s);
        f.clock.set(QDateTime(QDate(2026, 12, 7), QTime(8, 17, 0)));
        f.engine->tick();
        QVERIFY(!f.engine->ringer().current());
        f.rightClick(f.rowCenter(2));
        QVERIFY(!f.commands.alarmMenu()->actions().at(2)->isVisible());
    }

    // "跳过下次" skips the row's next ring (its tooltip says which); "恢复" brings it back.
    void skipAndRestoreFromTheMenu() {
        Fixture f;
        const auto item = [&f](const QString& text) {
            for (QAction* action : f.commands.alarmMenu()->actions())
                if (action->text() == text && action->isVisible())
                    return action;
            return static_cast<QAction*>(nullptr);
        };
        const auto tip = [&f] { return f.list()->topLevelItem(2)->data(1, Qt::ToolTipRole).toString(); };
        f.rightClick(f.rowCenter(2));
        QVERIFY(!item(u"恢复"_s));
        item(u"跳过下次"_s)->trigger();
        QCOMPARE(tip(), u"下次响铃：2026年12月8日08时12分（已跳过 2026年12月7日08时12分）"_s);
        f.rightClick(f.rowCenter(2));
        QVERIFY(!item(u"跳过下次"_s));
        item(u"恢复"_s)->trigger();
        QCOMPARE(tip(), u"下次响铃：2026年12月7日08时12分"_s);
        QVERIFY(f.dialogs.shown().isEmpty());
    }

    // A delete the database refuses leaves the alarm and says so.
    void refusedDeleteSaysSo() {
        Fixture f;
        QVERIFY(f.db.executeScript(
            u"create trigger refuseDelete before delete on [配置] begin select raise(abort, 'refused'); end"_s));
        f.list()->topLevelItem(0)->setSelected(true);
        f.alarmPage.deleteButton()->click();
        QCOMPARE(f.dialogs.errorMessages(), QStringList{u"删除闹钟失败，请检查！"_s});
        QCOMPARE(f.column(f.list(), 2), (QStringList{u"alarm 5"_s, u"alarm 9"_s, u"alarm 12"_s}));
    }
};

ORVANE_TEST(AlarmListCommandsTest)
#include "test_AlarmListCommands.moc"
