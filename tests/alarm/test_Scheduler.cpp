// The scheduler on the alarm model (no widgets) against a fake clock and a real database; the ringer's
// queue, ring count and fallbacks against a recording player. The reminder window it asks for is tested in
// ui/test_ReminderPresenter.cpp.
#include "AlarmFixture.h"
#include "FakeClock.h"
#include "RecordingSoundPlayer.h"
#include "TestRegistry.h"
#include "alarm/AlarmRinger.h"
#include "alarm/Scheduler.h"
#include "alarm/SnoozeStore.h"
#include "alarm/WakePlan.h"
#include "resources/resources.h"

#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// The same time of day on n days in a row from the first.
QStringList days(const QString& first, int n) {
    QStringList ticks;
    for (int i = 0; i < n; ++i) {
        const QDateTime t = at(first);
        ticks << QDateTime(t.date().addDays(i), t.time()).toString(u"yyyy-MM-dd HH:mm:ss"_s);
    }
    return ticks;
}

// "reminder@due line" of the rings expected, for the dates given ("M-d" in 2010 at hh:mm).
QStringList rings(const QString& reminder, const QStringList& dates, const QString& time) {
    QStringList out;
    for (const QString& d : dates) {
        const QStringList md = d.split(u'-');
        out << reminder + u"@2010年"_s + md.at(0) + u'月' + md.at(1) + u'日' + time;
    }
    return out;
}

} // namespace

class SchedulerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvaneInitResources(); }

    // Ticks at the given times; every alarm that fires is recorded with the due line of its ring.
    void ticks_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("ticks");
        QTest::addColumn<QStringList>("alarms"); // 提醒时间;铃声位置;提示文本
        QTest::addColumn<bool>("autoDelete");
        QTest::addColumn<QStringList>("fired"); // reminder@due line
        QTest::addColumn<int>("rowsLeft");

        const QString daily = u"每天|2010年5月3日08时30分;真|默认;真|起床"_s;
        const QStringList around830{u"2010-05-03 08:29:59"_s, u"2010-05-03 08:30:00"_s,
                                    u"2010-05-03 08:30:01"_s};
        const QString start = u"2010-05-03 08:29:30"_s;
        const auto row = [](const char* name, const QString& start, const QStringList& ticks,
                            const QStringList& alarms, bool autoDelete, const QStringList& fired) {
            QTest::newRow(name) << start << ticks << alarms << autoDelete << fired
                                << int(autoDelete ? 0 : alarms.size());
        };

        row("due minute fires once, in its second-0 tick", start, around830, {daily}, false,
            {u"起床@2010年5月3日08时30分"_s});
        row("late first tick of the minute still fires, not marked late", start,
            {u"2010-05-03 08:29:59"_s, u"2010-05-03 08:30:02"_s}, {daily}, false,
            {u"起床@2010年5月3日08时30分"_s});
        row("started inside the due minute: that minute is never scanned", u"2010-05-03 08:30:01"_s,
            {u"2010-05-03 08:30:02"_s, u"2010-05-03 08:31:00"_s}, {daily}, false, {});
        row("每天 rings every day at its time for three weeks", start, days(u"2010-05-03 08:30:00"_s, 21),
            {daily}, false,
            rings(u"起床"_s, {u"5-3"_s,  u"5-4"_s,  u"5-5"_s,  u"5-6"_s,  u"5-7"_s,  u"5-8"_s,  u"5-9"_s,
                              u"5-10"_s, u"5-11"_s, u"5-12"_s, u"5-13"_s, u"5-14"_s, u"5-15"_s, u"5-16"_s,
                              u"5-17"_s, u"5-18"_s, u"5-19"_s, u"5-20"_s, u"5-21"_s, u"5-22"_s, u"5-23"_s},
                  u"08时30分"_s));
        row("每天 never before its stored first day", u"2010-05-01 08:29:30"_s,
            days(u"2010-05-01 08:30:00"_s, 3), {daily}, false, {u"起床@2010年5月3日08时30分"_s});
        row("星期一 rings on the Mondays of four weeks only", start, days(u"2010-05-03 08:30:00"_s, 28),
            {u"星期一|2010年5月3日08时30分;真|默认;真|周会"_s}, false,
            rings(u"周会"_s, {u"5-3"_s, u"5-10"_s, u"5-17"_s, u"5-24"_s}, u"08时30分"_s));
        row("星期日 stored on a Monday first rings that Sunday", start, days(u"2010-05-03 08:30:00"_s, 14),
            {u"星期日|2010年5月3日08时30分;真|默认;真|礼拜"_s}, false,
            rings(u"礼拜"_s, {u"5-9"_s, u"5-16"_s}, u"08时30分"_s));
        row("仅一次 rings on its stored day only", start, days(u"2010-05-03 08:30:00"_s, 3),
            {u"仅一次|2010年5月3日08时30分;真|默认;真|一次"_s}, false, {u"一次@2010年5月3日08时30分"_s});
        row("one-digit hour and minute never match", u"2010-05-03 07:04:30"_s, {u"2010-05-03 07:05:00"_s},
            {u"每天|2010年5月3日7时5分;真|默认;真|x"_s}, false, {});
        row("zero-padded month never matches", start, around830,
            {u"每天|2010年05月3日08时30分;真|默认;真|x"_s}, false, {});
        row("row without | never fires", start, around830, {u"每天;真|默认;真|x"_s}, false, {});
        row("unknown rule never fires", start, around830, {u"每周|2010年5月3日08时30分;真|默认;真|x"_s},
            false, {});
        row("two alarms in one minute both fire, in list order", start, around830,
            {u"每天|2010年5月3日08时30分;真|/a.mp3;真|开会"_s,
             u"每天|2010年5月3日08时30分;真|/b.mp3;真|吃饭"_s},
            false, {u"开会@2010年5月3日08时30分"_s, u"吃饭@2010年5月3日08时30分"_s});
        row("three alarms in one minute all fire, another minute's waits", start, around830,
            {u"仅一次|2010年5月3日08时30分;真|默认;真|a"_s, u"每天|2010年5月3日08时31分;真|默认;真|later"_s,
             u"星期一|2010年5月3日08时30分;真|默认;假|b"_s, u"每天|2010年5月3日08时30分;假|默认;真|c"_s},
            false, {u"a@2010年5月3日08时30分"_s, u"b@2010年5月3日08时30分"_s, u"c@2010年5月3日08时30分"_s});
        row("a jump of 5 minutes rings the skipped alarms late, in due order", start,
            {u"2010-05-03 08:30:00"_s, u"2010-05-03 08:35:10"_s},
            {u"每天|2010年5月3日08时33分;真|默认;真|后"_s, u"每天|2010年5月3日08时31分;真|默认;真|先"_s},
            false,
            {u"先@2010年5月3日08时31分（迟到 4 分钟）"_s, u"后@2010年5月3日08时33分（迟到 2 分钟）"_s});
        row("resume after 3 hours rings the skipped alarm once", start,
            {u"2010-05-03 08:30:00"_s, u"2010-05-03 11:30:05"_s, u"2010-05-03 11:31:00"_s},
            {u"每天|2010年5月3日09时00分;真|默认;真|九点"_s}, false,
            {u"九点@2010年5月3日09时00分（迟到 150 分钟）"_s});
        row("after two days away only the last 24 hours are caught up", start,
            {u"2010-05-03 08:30:00"_s, u"2010-05-05 08:35:00"_s},
            {u"仅一次|2010年5月3日08时31分;真|默认;真|丢"_s, u"每天|2010年5月3日09时00分;真|默认;真|九点"_s},
            false, {u"九点@2010年5月4日09时00分（迟到 1415 分钟）"_s});
        row("clock set back rings nothing twice", start,
            {u"2010-05-03 08:30:00"_s, u"2010-05-03 08:31:00"_s, u"2010-05-03 08:30:00"_s,
             u"2010-05-03 08:31:00"_s, u"2010-05-04 08:30:00"_s},
            {daily}, false, {u"起床@2010年5月3日08时30分"_s, u"起床@2010年5月4日08时30分"_s});
        row("clock set back onto a minute whose alarm never rang rings it", u"2010-05-03 08:40:00"_s,
            {u"2010-05-03 08:41:00"_s, u"2010-05-03 08:30:00"_s}, {daily}, false,
            {u"起床@2010年5月3日08时30分"_s});
        row("a clock that was years ahead silences nothing once set right", start,
            {u"2030-01-01 08:30:00"_s, u"2010-05-03 08:29:00"_s, u"2010-05-03 08:30:00"_s}, {daily}, false,
            {u"起床@2030年1月1日08时30分"_s, u"起床@2010年5月3日08时30分"_s});
        row("automatic delete: a 每天 alarm rings once and is gone", start, days(u"2010-05-03 08:30:00"_s, 3),
            {daily}, true, {u"起床@2010年5月3日08时30分"_s});
        row("automatic delete of two alarms of one minute rings both", start, around830,
            {u"每天|2010年5月3日08时30分;真|/a.mp3;真|开会"_s,
             u"每天|2010年5月3日08时30分;真|/b.mp3;真|吃饭"_s},
            true, {u"开会@2010年5月3日08时30分"_s, u"吃饭@2010年5月3日08时30分"_s});
        // In New York the clock springs from 02:00 to 03:00 that night; elsewhere the tick jumps an hour.
        row("an alarm in a skipped hour rings when the clock comes back", u"2026-03-08 01:59:30"_s,
            {u"2026-03-08 01:59:59"_s, u"2026-03-08 03:00:00"_s},
            {u"每天|2026年3月1日02时30分;真|默认;真|夜"_s}, false,
            {u"夜@2026年3月8日02时30分（迟到 30 分钟）"_s});
    }
    void ticks() {
        QFETCH(QString, start);
        QFETCH(QStringList, ticks);
        QFETCH(QStringList, alarms);
        QFETCH(bool, autoDelete);
        QFETCH(QStringList, fired);
        QFETCH(int, rowsLeft);

        AlarmFixture f;
        QVERIFY(f.ready);
        for (const QString& alarm : alarms)
            f.insert(alarm);
        QVERIFY(f.setting(settings::autoDeleteKey(), autoDelete ? u"真"_s : u"假"_s));
        f.model.LoadAlarmList();
        FakeClock clock(at(start));
        Scheduler scheduler(clock, f.model, f.paths);
        QStringList seen;
        connect(&scheduler, &Scheduler::fired, this,
                [&seen](const FiredAlarm& a) { seen << a.alarm.reminder + u'@' + a.dueLine(); });
        for (const QString& tick : ticks) {
            clock.set(at(tick));
            scheduler.AlarmScheduler();
        }
        QCOMPARE(seen, fired);
        QCOMPARE(f.model.size(), rowsLeft);
        QCOMPARE(int(f.rows().size()), rowsLeft);
    }

    // What the ringer plays and which reminders it asks for, step by step.
    void ringer_data() {
        QTest::addColumn<QStringList>("alarms"); // fired together, in order
        QTest::addColumn<QString>("ringSetting");
        QTest::addColumn<QStringList>("unplayable"); // files that cannot be played; "*" nothing can be heard
        // close, stop, tick, tick+61; sounding/silent: whether a ring played sounds on (first: from the
        // start)
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("calls");     // $W is the Windows directory
        QTest::addColumn<QStringList>("reminders"); // reminder/sound line, in the order asked for

        const QString meeting = u"每天|2010年5月3日08时30分;真|默认;真|开会"_s;
        QTest::newRow("built-in ring written out and played with the count, reminder shows 默认")
            << QStringList{meeting} << u"播放一次"_s << QStringList() << QStringList()
            << QStringList{u"play $W/1.mp3 1"_s} << QStringList{u"开会/默认"_s};
        QTest::newRow("ring count never chosen rings once")
            << QStringList{meeting} << u""_s << QStringList() << QStringList()
            << QStringList{u"play $W/1.mp3 1"_s} << QStringList{u"开会/默认"_s};
        QTest::newRow("unknown ring count plays nothing but still stops")
            << QStringList{meeting} << u"播放三次"_s << QStringList() << QStringList()
            << QStringList{u"play $W/1.mp3 0"_s} << QStringList{u"开会/默认"_s};
        QTest::newRow("ring off: no play call, the reminder still shows")
            << QStringList{u"每天|2010年5月3日08时30分;假|/a.mp3;真|静音"_s} << u"无限重复"_s << QStringList()
            << QStringList() << QStringList() << QStringList{u"静音//a.mp3"_s};
        QTest::newRow("an unplayable ring file rings the built-in ring")
            << QStringList{u"每天|2010年5月3日08时30分;真|/gone.mp3;真|x"_s} << u"播放二次"_s
            << QStringList{u"/gone.mp3"_s} << QStringList()
            << QStringList{u"play /gone.mp3 2"_s, u"play $W/1.mp3 2"_s} << QStringList{u"x//gone.mp3"_s};
        QTest::newRow("no sound at all is said in the third line")
            << QStringList{u"每天|2010年5月3日08时30分;真|/a.mp3;真|x"_s} << u"播放一次"_s
            << QStringList{u"*"_s} << QStringList() << QStringList{u"play /a.mp3 1"_s}
            << QStringList{u"x/无法播放声音"_s};
        QTest::newRow("second alarm waits for the first reminder to close, then rings")
            << QStringList{meeting, u"每天|2010年5月3日08时30分;真|/b.mp3;真|吃饭"_s} << u"无限重复"_s
            << QStringList() << QStringList{u"tick"_s, u"close"_s}
            << QStringList{u"play $W/1.mp3 -1"_s, u"stop"_s, u"play /b.mp3 -1"_s}
            << QStringList{u"开会/默认"_s, u"吃饭//b.mp3"_s};
        QTest::newRow("停止播放 silences but the next alarm still waits for the close")
            << QStringList{meeting, u"每天|2010年5月3日08时30分;真|/b.mp3;真|吃饭"_s} << u"无限重复"_s
            << QStringList() << QStringList{u"stop"_s, u"tick"_s}
            << QStringList{u"play $W/1.mp3 -1"_s, u"stop"_s} << QStringList{u"开会/默认"_s};
        QTest::newRow("without a reminder, the next waits while the ring sounds")
            << QStringList{u"每天|2010年5月3日08时30分;真|/a.mp3;假|无窗"_s, meeting} << u"播放一次"_s
            << QStringList() << QStringList{u"sounding"_s, u"tick"_s} << QStringList{u"play /a.mp3 1"_s}
            << QStringList();
        QTest::newRow("without a reminder, the next rings when the ring is over")
            << QStringList{u"每天|2010年5月3日08时30分;真|/a.mp3;假|无窗"_s, meeting} << u"播放一次"_s
            << QStringList() << QStringList{u"sounding"_s, u"tick"_s, u"silent"_s, u"tick"_s}
            << QStringList{u"play /a.mp3 1"_s, u"play $W/1.mp3 1"_s} << QStringList{u"开会/默认"_s};
        QTest::newRow("a looping ring without a reminder holds the next a minute at most")
            << QStringList{u"每天|2010年5月3日08时30分;真|/a.mp3;假|无窗"_s, meeting} << u"无限重复"_s
            << QStringList() << QStringList{u"sounding"_s, u"tick+61"_s}
            << QStringList{u"play /a.mp3 -1"_s, u"play $W/1.mp3 -1"_s} << QStringList{u"开会/默认"_s};
        QTest::newRow("neither ring nor reminder takes no turn")
            << QStringList{u"每天|2010年5月3日08时30分;假|/a.mp3;假|x"_s, meeting} << u"播放一次"_s
            << QStringList() << QStringList() << QStringList{u"play $W/1.mp3 1"_s}
            << QStringList{u"开会/默认"_s};
    }
    void ringer() {
        QFETCH(QStringList, alarms);
        QFETCH(QString, ringSetting);
        QFETCH(QStringList, unplayable);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, reminders);

        AlarmFixture f;
        QVERIFY(f.ready);
        if (!ringSetting.isEmpty())
            QVERIFY(f.setting(settings::ringCountKey(), ringSetting));
        RecordingSoundPlayer sound;
        for (const QString& file : unplayable) {
            // Silent to the user but for the reminder's line; the log says what went wrong.
            if (file == u"*") {
                sound.setOutcome(u"/a.mp3"_s, PlayOutcome::NoOutput);
                sound.setOutcome(f.paths.windowsFile(u"1.mp3"_s), PlayOutcome::NoOutput);
                QTest::ignoreMessage(QtWarningMsg,
                                     QRegularExpression(u"^no sound can be played for alarm 1$"_s));
            } else {
                sound.setOutcome(file, PlayOutcome::Unplayable);
                QTest::ignoreMessage(QtWarningMsg,
                                     QRegularExpression(u"^cannot play .* the built-in ring instead$"_s));
            }
        }
        FakeClock clock(at(u"2010-05-03 08:30:00"_s));
        int announcementStops = 0;
        AlarmRinger ringer(sound, f.paths, clock, [&announcementStops] { ++announcementStops; });
        QStringList asked;
        connect(
            &ringer, &AlarmRinger::reminderWanted, this,
            [&asked](const FiredAlarm& a, const QString& line) { asked << a.alarm.reminder + u'/' + line; });
        sound.playing = steps.value(0) == u"sounding";
        for (const QString& alarm : alarms)
            ringer.enqueue(fired(alarm));
        for (const QString& step : steps) {
            if (step == u"close")
                ringer.reminderClosed();
            else if (step == u"stop")
                ringer.StopRing();
            else if (step == u"sounding" || step == u"silent")
                sound.playing = step == u"sounding";
            else if (step.startsWith(u"tick")) {
                clock.advance(step == u"tick+61" ? 61 : 1);
                ringer.tick();
            }
        }
        QStringList expected;
        for (const QString& c : calls)
            expected << QString(c).replace(u"$W"_s, f.paths.windowsDir);
        QCOMPARE(sound.calls(), expected);
        if (calls.join(u' ').contains(u"1.mp3"_s))
            QVERIFY(QFileInfo(f.paths.windowsFile(u"1.mp3"_s)).size() > 1000);
        QCOMPARE(asked, reminders);
        // Every "stop" of the ring silences the announcement too.
        QCOMPARE(announcementStops, int(sound.calls().count(u"stop"_s)));
    }

    // "稍后提醒" keeps the ring in the database: a program started again rings it in its minute, or at
    // its first scan when that minute passed while it was not running.
    void snoozeSurvivesARestart_data() {
        QTest::addColumn<QString>("setting"); // 稍后提醒分钟; empty: never chosen
        QTest::addColumn<QString>("restart"); // when the program starts again
        QTest::addColumn<QStringList>("ticks");
        QTest::addColumn<QStringList>("fired");
        QTest::newRow("never chosen: 5 minutes, rung in its minute after a restart")
            << u""_s << u"2010-05-03 08:32:10"_s
            << QStringList{u"2010-05-03 08:34:00"_s, u"2010-05-03 08:35:00"_s, u"2010-05-03 08:36:00"_s}
            << QStringList{u"开会@2010年5月3日08时35分"_s};
        QTest::newRow("15 minutes") << u"15"_s << u"2010-05-03 08:31:00"_s
                                    << QStringList{u"2010-05-03 08:44:00"_s, u"2010-05-03 08:45:00"_s}
                                    << QStringList{u"开会@2010年5月3日08时45分"_s};
        QTest::newRow("a number that is no choice counts as 5")
            << u"7"_s << u"2010-05-03 08:31:00"_s << QStringList{u"2010-05-03 08:35:00"_s}
            << QStringList{u"开会@2010年5月3日08时35分"_s};
        QTest::newRow("its minute passed while the program was not running: rung late, once")
            << u"10"_s << u"2010-05-03 09:00:30"_s
            << QStringList{u"2010-05-03 09:01:00"_s, u"2010-05-03 09:02:00"_s}
            << QStringList{u"开会@2010年5月3日08时40分（迟到 21 分钟）"_s};
    }
    void snoozeSurvivesARestart() {
        QFETCH(QString, setting);
        QFETCH(QString, restart);
        QFETCH(QStringList, ticks);
        QFETCH(QStringList, fired);
        AlarmFixture f;
        QVERIFY(f.ready);
        if (!setting.isEmpty())
            QVERIFY(f.setting(settings::snoozeMinutesKey(), setting));
        QVERIFY(f.setting(settings::autoDeleteKey(), u"真"_s)); // the alarm itself is gone after its ring
        f.insert(u"仅一次|2010年5月3日08时30分;真|默认;真|开会"_s);
        f.model.LoadAlarmList();
        RecordingSoundPlayer sound;
        FakeClock clock(at(u"2010-05-03 08:29:50"_s));
        {
            SnoozeStore snoozes(f.db);
            Scheduler scheduler(clock, f.model, f.paths, &snoozes);
            AlarmRinger ringer(sound, f.paths, clock, {}, &snoozes);
            connect(&scheduler, &Scheduler::fired, &ringer, &AlarmRinger::enqueue);
            clock.set(at(u"2010-05-03 08:30:00"_s));
            scheduler.AlarmScheduler();
            QVERIFY(ringer.current());
            ringer.Snooze();
            QVERIFY(!ringer.current());
            QCOMPARE(f.model.size(), 0);
        }
        clock.set(at(restart));
        SnoozeStore snoozes(f.db);
        Scheduler scheduler(clock, f.model, f.paths, &snoozes);
        QStringList seen;
        connect(&scheduler, &Scheduler::fired, this,
                [&seen](const FiredAlarm& a) { seen << a.alarm.reminder + u'@' + a.dueLine(); });
        for (const QString& tick : ticks) {
            clock.set(at(tick));
            scheduler.AlarmScheduler();
        }
        QCOMPARE(seen, fired);
        QCOMPARE(snoozes.next(), std::nullopt); // rung once, then gone
        QCOMPARE(f.model.size(), 0);            // a put-off ring deletes nothing, adds nothing
    }

    // Hidden, the program wakes only in minutes with work.
    void wakePlan_data() {
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("alarm"); // hh:mm today, empty: none
        QTest::addColumn<QString>("snooze");
        QTest::addColumn<bool>("announcement");
        QTest::addColumn<QString>("wake");
        QTest::newRow("nothing to do: a quarter of an hour")
            << u"08:05"_s << u""_s << u""_s << false << u"08:20"_s;
        QTest::newRow("an alarm sooner than that")
            << u"08:05"_s << u"08:09"_s << u""_s << false << u"08:09"_s;
        QTest::newRow("an alarm in the next minute")
            << u"08:05"_s << u"08:06"_s << u""_s << false << u"08:06"_s;
        QTest::newRow("a put-off ring before the alarm")
            << u"08:05"_s << u"08:12"_s << u"08:07"_s << false << u"08:07"_s;
        QTest::newRow("a put-off ring already due: the next minute")
            << u"08:05"_s << u""_s << u"07:50"_s << false << u"08:06"_s;
        QTest::newRow("the announcement at the half hour")
            << u"08:20"_s << u""_s << u""_s << true << u"08:30"_s;
        QTest::newRow("the announcement at the full hour, past midnight")
            << u"23:45"_s << u""_s << u""_s << true << u"00:00+1"_s;
        QTest::newRow("announcement off: the half hour is no work")
            << u"08:20"_s << u""_s << u""_s << false << u"08:35"_s;
    }
    void wakePlan() {
        QFETCH(QString, now);
        QFETCH(QString, alarm);
        QFETCH(QString, snooze);
        QFETCH(bool, announcement);
        QFETCH(QString, wake);
        const QDate today(2026, 12, 7);
        const auto key = [&today](const QString& hhmm) {
            const QTime t = QTime::fromString(hhmm.left(5), u"HH:mm"_s);
            return minuteKey(today.addDays(hhmm.endsWith(u"+1") ? 1 : 0), t.hour() * 60 + t.minute());
        };
        AlarmFixture f;
        QVERIFY(f.ready);
        if (!alarm.isEmpty())
            f.insert(u"每天|2026年12月7日"_s + alarm.left(2) + u'时' + alarm.mid(3, 2) +
                     u"分;真|默认;真|x"_s);
        f.insert(u"仅一次|2026年12月6日08时07分;真|默认;真|past"_s); // rings no more
        f.model.LoadAlarmList();
        const std::optional<qint64> nextSnooze = snooze.isEmpty() ? std::nullopt : std::optional(key(snooze));
        QCOMPARE(nextWakeMinute(key(now), nextAlarmMinute(f.model, key(now)), nextSnooze, announcement),
                 key(wake));
    }
};

ORVANE_TEST(SchedulerTest)
#include "test_Scheduler.moc"
