// The scheduler against a fake clock, a real database and INI file, and a recording sound player.
#include "FakeClock.h"
#include "RecordingSoundPlayer.h"
#include "TempDir.h"
#include "TestRegistry.h"
#include "alarm/AlarmLists.h"
#include "alarm/AlarmSchedule.h"
#include "alarm/AlarmTable.h"
#include "alarm/ReminderWindow.h"
#include "alarm/Scheduler.h"
#include "app/AppDatabase.h"
#include "app/ClockText.h"
#include "platform/IniProfile.h"
#include "platform/SystemSettings.h"
#include "resources/resources.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {
QDateTime at(const QString& text) {
    return QDateTime::fromString(text, u"yyyy-MM-dd HH:mm:ss"_s);
}
const QString kAbsent = u"<absent>"_s;
} // namespace

class SchedulerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvaneInitResources(); }

    void rules_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("today");
        QTest::addColumn<bool>("passes");
        QTest::newRow("每天 always") << "每天"
                                     << "三" << true;
        QTest::newRow("weekday rule on its day") << "星期三"
                                                 << "三" << true;
        QTest::newRow("weekday rule on another day") << "星期三"
                                                     << "四" << false;
        QTest::newRow("Sunday is 日") << "星期日"
                                      << "日" << true;
        QTest::newRow("bare 星期 never passes") << "星期"
                                                << "" << false;
        QTest::newRow("unknown rule") << "每周"
                                      << "三" << false;
    }
    void rules() {
        QFETCH(QString, rule);
        QFETCH(QString, today);
        QFETCH(bool, passes);
        QCOMPARE(repeatRulePasses(rule, today), passes);
    }

    void dueNow() {
        QCOMPARE(dueNowText(at(u"2010-05-03 08:05:09"_s)), u"2010年5月3日08时05分"_s);
        QCOMPARE(dueNowText(at(u"2026-12-31 23:59:00"_s)), u"2026年12月31日23时59分"_s);
    }

    void ticks_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("ticks");  // times of the ticks, in order
        QTest::addColumn<QStringList>("alarms"); // 提醒时间;铃声位置;提示文本
        QTest::addColumn<QString>("ringSetting");
        QTest::addColumn<QString>("deleteSetting");
        QTest::addColumn<QStringList>("calls"); // $W is the Windows directory
        QTest::addColumn<QString>("popup");     // the three labels joined by "/", empty: no window
        QTest::addColumn<int>("rowsLeft");

        const QStringList meeting{u"每天|2010年5月3日08时30分;真|默认;真|开会"_s};
        const QStringList around830{u"2010-05-03 08:29:59"_s, u"2010-05-03 08:30:00"_s,
                                    u"2010-05-03 08:30:01"_s};
        QTest::newRow("due today fires once at second 0 with popup and ring")
            << "2010-05-03 08:29:30" << around830 << meeting << "播放一次"
            << "假" << QStringList{u"play $W/1.mp3 1"_s} << "2010年5月3日08时30分/开会/默认" << 1;
        QTest::newRow("started inside the due minute: never fires")
            << "2010-05-03 08:30:01" << QStringList{u"2010-05-03 08:30:02"_s, u"2010-05-03 08:31:00"_s}
            << meeting << "播放一次"
            << "假" << QStringList{} << "" << 1;
        QTest::newRow("late first tick of the minute still fires")
            << "2010-05-03 08:29:30" << QStringList{u"2010-05-03 08:29:59"_s, u"2010-05-03 08:30:02"_s}
            << meeting << "播放一次"
            << "假" << QStringList{u"play $W/1.mp3 1"_s} << "2010年5月3日08时30分/开会/默认" << 1;
        QTest::newRow("due on another day: nothing")
            << "2010-05-04 08:29:30" << QStringList{u"2010-05-04 08:30:00"_s} << meeting << "播放一次"
            << "假" << QStringList{} << "" << 1;
        QTest::newRow("one-digit hour and minute never match")
            << "2010-05-03 07:04:30" << QStringList{u"2010-05-03 07:05:00"_s}
            << QStringList{u"每天|2010年5月3日7时5分;真|默认;真|x"_s} << "播放一次"
            << "假" << QStringList{} << "" << 1;
        QTest::newRow("row without | never fires")
            << "2010-05-03 08:29:30" << QStringList{u"2010-05-03 08:30:00"_s}
            << QStringList{u"每天;真|默认;真|x"_s} << "播放一次"
            << "假" << QStringList{} << "" << 1;
        QTest::newRow("two alarms in one minute: only the upper fires")
            << "2010-05-03 08:29:30" << around830
            << QStringList{u"每天|2010年5月3日08时30分;真|/a.mp3;真|开会"_s,
                           u"每天|2010年5月3日08时30分;真|/b.mp3;真|吃饭"_s}
            << "播放二次"
            << "假" << QStringList{u"play /a.mp3 2"_s} << "2010年5月3日08时30分/开会//a.mp3" << 2;
        QTest::newRow("weekday rule fires on its weekday (Monday)")
            << "2010-05-03 08:29:30" << around830
            << QStringList{u"星期一|2010年5月3日08时30分;真|默认;假|x"_s} << "无限重复"
            << "假" << QStringList{u"play $W/1.mp3 -1"_s} << "" << 1;
        QTest::newRow("weekday rule of another day skipped, next row fires")
            << "2010-05-03 08:29:30" << around830
            << QStringList{u"星期二|2010年5月3日08时30分;真|/a.mp3;真|a"_s,
                           u"每天|2010年5月3日08时30分;真|/b.mp3;真|b"_s}
            << "播放一次"
            << "假" << QStringList{u"play /b.mp3 1"_s} << "2010年5月3日08时30分/b//b.mp3" << 2;
        QTest::newRow("past midnight the rule sees the new weekday")
            << "2010-05-03 23:59:30" << QStringList{u"2010-05-04 00:00:00"_s, u"2010-05-04 00:01:00"_s}
            << QStringList{u"星期一|2010年5月4日00时01分;真|/mon.mp3;假|"_s,
                           u"星期二|2010年5月4日00时01分;真|/tue.mp3;假|"_s}
            << "播放一次"
            << "假" << QStringList{u"play /tue.mp3 1"_s} << "" << 2;
        QTest::newRow("ring count never chosen rings once")
            << "2010-05-03 08:29:30" << around830 << meeting << kAbsent << "假"
            << QStringList{u"play $W/1.mp3 1"_s} << "2010年5月3日08时30分/开会/默认" << 1;
        QTest::newRow("unknown ring count plays nothing but still stops")
            << "2010-05-03 08:29:30" << around830 << meeting << "播放三次"
            << "假" << QStringList{u"play $W/1.mp3 0"_s} << "2010年5月3日08时30分/开会/默认" << 1;
        QTest::newRow("ring off: no play call at all")
            << "2010-05-03 08:29:30" << around830
            << QStringList{u"每天|2010年5月3日08时30分;假|默认;真|静音"_s} << "播放一次"
            << "假" << QStringList{} << "2010年5月3日08时30分/静音/默认" << 1;
        QTest::newRow("auto delete removes the row, popup keeps its texts")
            << "2010-05-03 08:29:30" << around830 << meeting << "播放一次"
            << "真" << QStringList{u"play $W/1.mp3 1"_s} << "2010年5月3日08时30分/开会/默认" << 0;
        QTest::newRow("open popup is left as it is; the next alarm still rings")
            << "2010-05-03 08:29:30" << QStringList{u"2010-05-03 08:30:00"_s, u"2010-05-03 08:31:00"_s}
            << QStringList{u"每天|2010年5月3日08时30分;真|默认;真|开会"_s,
                           u"每天|2010年5月3日08时31分;真|/b.mp3;真|吃饭"_s}
            << "播放一次"
            << "假" << QStringList{u"play $W/1.mp3 1"_s, u"play /b.mp3 1"_s}
            << "2010年5月3日08时30分/开会/默认" << 2;
        QTest::newRow("clock set back to the minute fires again")
            << "2010-05-03 08:29:30"
            << QStringList{u"2010-05-03 08:30:00"_s, u"2010-05-03 08:31:00"_s, u"2010-05-03 08:30:00"_s}
            << meeting << "播放一次"
            << "假" << QStringList{u"play $W/1.mp3 1"_s, u"play $W/1.mp3 1"_s}
            << "2010年5月3日08时30分/开会/默认" << 1;
    }
    void ticks() {
        QFETCH(QString, start);
        QFETCH(QStringList, ticks);
        QFETCH(QStringList, alarms);
        QFETCH(QString, ringSetting);
        QFETCH(QString, deleteSetting);
        QFETCH(QStringList, calls);
        QFETCH(QString, popup);
        QFETCH(int, rowsLeft);

        TempDir dir;
        const Paths paths = Paths::under(dir.path());
        QVERIFY(paths.makeFolders());
        Database db;
        QVERIFY(ensureDatabaseFile(paths.windowsFile(u"dbtime.mdb"_s)));
        QVERIFY(openAlarmDatabase(db, paths.windowsFile(u"dbtime.mdb"_s)));
        for (const QString& alarm : alarms) {
            const QStringList f = alarm.split(u';');
            QVERIFY(db.execute(alarmsql::insert(), {f.at(0), f.at(1), f.at(2)}));
        }
        const QString ini = settings::systemFile(paths);
        if (ringSetting != kAbsent)
            QVERIFY(IniProfile::write(ini, settings::systemSection(), settings::ringCountKey(), ringSetting));
        QVERIFY(IniProfile::write(ini, settings::systemSection(), settings::autoDeleteKey(), deleteSetting));

        QWidget window;
        QWidget page(&window);
        const AlarmLists lists = createAlarmLists(&page, &window);
        LoadAlarmList(db, lists);
        FakeClock clock(at(start));
        RecordingSoundPlayer sound;
        int firedRow = -1;
        QString today = weekdayChar(clock.now().date());
        Scheduler scheduler({&clock, &sound, &db, &paths, &lists, &firedRow, &today});

        for (const QString& tick : ticks) {
            clock.set(at(tick));
            today = weekdayChar(clock.now().date()); // as the main window renews it at a new day
            scheduler.AlarmScheduler();
        }

        QStringList expected;
        for (const QString& c : calls)
            expected << QString(c).replace(u"$W"_s, paths.windowsDir);
        QCOMPARE(sound.calls(), expected);
        if (expected.join(u' ').contains(u"1.mp3"_s))
            QVERIFY(QFileInfo(paths.windowsFile(u"1.mp3"_s)).size() > 1000);
        ReminderWindow* reminder = scheduler.reminder();
        QCOMPARE(reminder != nullptr, !popup.isEmpty());
        if (reminder) {
            QStringList labels;
            for (const char* name : {"标签1", "标签2", "标签3"})
                labels << reminder->findChild<QLabel*>(QString::fromUtf8(name))->text();
            QCOMPARE(labels.join(u'/'), popup);
        }
        QCOMPARE(lists.shown->topLevelItemCount(), rowsLeft);
        QCOMPARE(int(readAlarmRecords(db).size()), rowsLeft);
    }

    void reminderStopsTheRingEveryWayOut_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("停止播放 stops and stays open") << "stop";
        QTest::newRow("关闭 stops and closes") << "close";
        QTest::newRow("close box stops") << "closeEvent";
    }
    void reminderStopsTheRingEveryWayOut() {
        QFETCH(QString, how);
        QWidget window;
        QWidget page(&window);
        const AlarmLists lists = createAlarmLists(&page, &window);
        RecordingSoundPlayer sound;
        QPointer<ReminderWindow> reminder =
            new ReminderWindow(lists, 5, sound); // beyond the list: empty labels
        QCOMPARE(reminder->findChild<QLabel*>(u"标签1"_s)->text(), QString());
        QCOMPARE(reminder->windowTitle(), u" 设定时间到"_s);
        QCOMPARE(reminder->geometry(), QRect(50, 50, 302, 146));
        reminder->show();
        if (how == u"stop") {
            reminder->findChild<QPushButton*>(u"按钮2"_s)->click();
            QVERIFY(reminder->isVisible());
            QCOMPARE(sound.calls(), QStringList{u"stop"_s});
            delete reminder.data();
            return;
        }
        if (how == u"close")
            reminder->findChild<QPushButton*>(u"按钮1"_s)->click();
        else
            reminder->close();
        QVERIFY(!sound.calls().isEmpty());
        QCOMPARE(sound.calls().first(), u"stop"_s);
        QTRY_VERIFY(reminder.isNull()); // deleted on close
    }
};

ORVANE_TEST(SchedulerTest)
#include "test_Scheduler.moc"
