// The scheduler on the alarm model (no widgets) against a fake clock and a real database; the ringer's
// queue, ring count and fallbacks against a recording player; the engine's life of an alarm (put-off
// rings shown and cancelled, the automatic delete, a restart) and its wake plan. The reminder window it
// asks for is tested in ui/test_ReminderPresenter.cpp.
#include "AlarmFixture.h"
#include "FakeSoundServer.h"
#include "FaultyVfs.h"
#include "LoopbackHttpServer.h"
#include "RecordingNotifier.h"
#include "TestRegistry.h"
#include "alarm/AlarmRinger.h"
#include "alarm/Scheduler.h"
#include "alarm/SnoozeStore.h"
#include "calendar/Holidays.h"
#include "net/HttpRequest.h"
#include "platform/IniProfile.h"
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
        QTest::addColumn<QStringList>("fired");  // reminder@due line

        const QString daily = u"每天|2010年5月3日08时30分;真|默认;真|起床"_s;
        const QStringList around830{u"2010-05-03 08:29:59"_s, u"2010-05-03 08:30:00"_s,
                                    u"2010-05-03 08:30:01"_s};
        const QString start = u"2010-05-03 08:29:30"_s;
        const auto row = [](const char* name, const QString& start, const QStringList& ticks,
                            const QStringList& alarms, bool, const QStringList& fired) {
            QTest::newRow(name) << start << ticks << alarms << fired;
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
        // Calendar rules through the scan: the holidays of 国庆 2026 (10-1 to 10-7, 10-10 worked) and a
        // catch-up over them after a week away; a birthday on 闰六月初一 of 2025.
        row("工作日 across 国庆: the last workday, then the make-up Saturday", u"2026-09-30 06:59:30"_s,
            days(u"2026-09-30 07:00:00"_s, 12), {u"工作日|2026年9月1日07时00分;真|默认;真|上班"_s}, false,
            {u"上班@2026年9月30日07时00分"_s, u"上班@2026年10月8日07时00分"_s,
             u"上班@2026年10月9日07时00分"_s, u"上班@2026年10月10日07时00分"_s});
        row("工作日 caught up over 国庆 rings only the day's workday", u"2026-10-07 07:30:00"_s,
            {u"2026-10-08 07:30:00"_s}, {u"工作日|2026年9月1日07时00分;真|默认;真|上班"_s}, false,
            {u"上班@2026年10月8日07时00分（迟到 30 分钟）"_s});
        row("农历每年 of 六月初一 never rings in that year's 闰六月", u"2025-07-24 08:59:30"_s,
            {u"2025-07-25 09:00:00"_s, u"2026-07-14 09:00:00"_s},
            {u"农历每年|2025年6月25日09时00分;真|默认;真|生日"_s}, false, {u"生日@2026年7月14日09时00分"_s});
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
        QFETCH(QStringList, fired);

        AlarmFixture f;
        QVERIFY(f.ready);
        for (const QString& alarm : alarms)
            f.insert(alarm);
        AlarmModel model(f.db);
        QVERIFY(model.LoadAlarmList());
        Scheduler scheduler(minuteKey(at(start)), model);
        QStringList seen;
        connect(&scheduler, &Scheduler::fired, this,
                [&seen](const FiredAlarm& a) { seen << a.alarm.reminder + u'@' + a.dueLine(); });
        for (const QString& tick : ticks)
            scheduler.AlarmScheduler(at(tick));
        QCOMPARE(seen, fired);
        QCOMPARE(model.size(), alarms.size()); // the scan deletes nothing
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
        QTest::newRow("twice") << QStringList{meeting} << u"播放二次"_s << QStringList() << QStringList()
                               << QStringList{u"play $W/1.mp3 2"_s} << QStringList{u"开会/默认"_s};
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
        for (const SettingChoice<RingCount>& choice : SystemSettings::ringCountChoices())
            if (choice.word == ringSetting)
                f.settings.setRingCount(choice.value);
        RecordingSoundPlayer& sound = f.sound;
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
        FakeClock& clock = f.clock;
        clock.set(at(u"2010-05-03 08:30:00"_s));
        int announcementStops = 0;
        AlarmRinger ringer(sound, f.paths, clock, f.settings, [&announcementStops] { ++announcementStops; });
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

    // What the reminder and the notification say when the system would swallow the ring, the level every
    // ring plays at, and an output unmuted for the ring muted again after it.
    void ringHeard_data() {
        QTest::addColumn<int>("output"); // OutputState of the default output
        QTest::addColumn<bool>("unmute");
        QTest::addColumn<QString>("line"); // the reminder's third line, also under the notification
        const int muted = int(OutputState::Muted);
        QTest::newRow("heard: the ring's name") << int(OutputState::Audible) << false << u"默认"_s;
        QTest::newRow("muted output is said, and stays muted")
            << muted << false << u"系统已静音，闹钟听不到"_s;
        QTest::newRow("volume 0 counts as muted")
            << int(OutputState::VolumeZero) << false << u"系统已静音，闹钟听不到"_s;
        QTest::newRow("no output at all") << int(OutputState::NoOutput) << false << u"没有可用的声音输出"_s;
        QTest::newRow("no sound server: the player's word alone")
            << int(OutputState::NoServer) << false << u"默认"_s;
        QTest::newRow("取消静音: heard while it rings, muted again after") << muted << true << u"默认"_s;
    }
    void ringHeard() {
        QFETCH(int, output);
        QFETCH(bool, unmute);
        QFETCH(QString, line);
        AlarmFixture f;
        QVERIFY(f.ready);
        f.insert(u"每天|2010年5月3日08时30分;真|默认;真|开会"_s);
        f.settings.setUnmuteForRing(unmute);
        f.settings.setAlarmVolume(50);
        f.settings.setFadeInSeconds(15);
        auto* server = new FakeSoundServer;
        server->state = OutputState(output);
        int made = 0;
        RecordingNotifier notifier;
        const std::unique_ptr<AlarmEngine> engine = f.engine(&notifier, [&] {
            ++made;
            return std::unique_ptr<SoundServer>(server);
        });
        QStringList heard; // the third line, and whether the output let the ring be heard
        connect(&engine->ringer(), &AlarmRinger::reminderWanted, this,
                [&](const FiredAlarm&, const QString& l) {
                    heard << l << QVariant(server->state == OutputState::Audible).toString();
                });
        if (line != u"默认")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"nobody hears it"_s));
        f.sound.playing = true;
        f.clock.set(at(u"2010-05-03 08:30:00"_s));
        engine->tick();
        QCOMPARE(made, 1); // at the ring, not at the start
        QCOMPARE(f.sound.calls(),
                 QStringList{u"play "_s + f.paths.windowsFile(u"1.mp3"_s) + u" 1 at 50% rising over 15s"_s});
        const bool audible = unmute || OutputState(output) == OutputState::Audible;
        QCOMPARE(heard, (QStringList{line, QVariant(audible).toString()}));
        QCOMPARE(notifier.shown.value(0).section(u'/', 1, 1),
                 line == u"默认" ? u"开会"_s : u"开会\n"_s + line);
        engine->ringer().reminderClosed();
        QCOMPARE(server->state, OutputState(output));
    }

    // An alarm's life in the engine, step by step: "hh:mm" ticks at that minute's second 0 of 3 May 2010,
    // "snooze" puts the ring off, "close" answers its reminder, "delete"/"modify"/"cancel" act on alarm 1,
    // "restart" makes a new engine on the same files at the clock's time. What rang, what alarm 1's row
    // and the tray say at the end, and how many alarms are left.
    void alarmLife_data() {
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<bool>("autoDelete");
        QTest::addColumn<int>("snoozeMinutes");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("rang");
        QTest::addColumn<QString>("rowTip"); // empty: no such row
        QTest::addColumn<QString>("trayTip");
        const QString once = u"仅一次|2010年5月3日08时30分;真|默认;真|开会"_s;
        const QString daily = u"每天|2010年5月3日08时30分;真|默认;真|开会"_s;
        const QString rang = u"开会@2010年5月3日08时30分"_s;
        const QString again = u"开会@2010年5月3日08时35分"_s;
        const QString tray = u"Orvane电脑闹钟"_s;
        QTest::newRow("a put-off ring shows in the row and the tray, and rings")
            << once << false << 5 << QStringList{u"08:30"_s, u"snooze"_s} << QStringList{rang}
            << u"稍后提醒：08:35"_s << tray + u"\n稍后提醒：08:35"_s;
        QTest::newRow("… then rings in its minute and is gone")
            << once << false << 5 << QStringList{u"08:30"_s, u"snooze"_s, u"08:35"_s, u"close"_s}
            << QStringList{rang, again} << u"不会再响铃"_s << tray;
        QTest::newRow("a repeating alarm's row shows both")
            << daily << false << 10 << QStringList{u"08:30"_s, u"snooze"_s} << QStringList{rang}
            << u"稍后提醒：08:40\n下次响铃：2010年5月4日08时30分"_s
            << tray + u"\n稍后提醒：08:40\n下一个闹钟：2010年5月4日08时30分"_s;
        QTest::newRow("deleting the alarm cancels its put-off ring")
            << once << false << 5 << QStringList{u"08:30"_s, u"snooze"_s, u"delete"_s, u"08:35"_s}
            << QStringList{rang} << QString() << tray;
        QTest::newRow("modifying the alarm cancels its put-off ring")
            << once << false << 5 << QStringList{u"08:30"_s, u"snooze"_s, u"modify"_s, u"08:35"_s}
            << QStringList{rang} << u"不会再响铃"_s << tray;
        QTest::newRow("cancelled from the list")
            << once << false << 5 << QStringList{u"08:30"_s, u"snooze"_s, u"cancel"_s, u"08:35"_s}
            << QStringList{rang} << u"不会再响铃"_s << tray;
        QTest::newRow("a put-off ring survives a restart, its row still shows it")
            << once << false << 5 << QStringList{u"08:30"_s, u"snooze"_s, u"restart"_s} << QStringList{rang}
            << u"稍后提醒：08:35"_s << tray + u"\n稍后提醒：08:35"_s;
        QTest::newRow("… and rings after it, late when its minute passed meanwhile")
            << once << false << 15
            << QStringList{u"08:30"_s, u"snooze"_s, u"restart"_s, u"08:50"_s, u"close"_s}
            << QStringList{rang, u"开会@2010年5月3日08时45分（迟到 5 分钟）"_s} << u"不会再响铃"_s << tray;
        QTest::newRow("automatic delete when the reminder is answered")
            << daily << true << 5 << QStringList{u"08:30"_s, u"close"_s} << QStringList{rang} << QString()
            << tray;
        QTest::newRow("automatic delete waits for the put-off ring, whose row stays")
            << daily << true << 5 << QStringList{u"08:30"_s, u"snooze"_s} << QStringList{rang}
            << u"稍后提醒：08:35\n下次响铃：2010年5月4日08时30分"_s
            << tray + u"\n稍后提醒：08:35\n下一个闹钟：2010年5月4日08时30分"_s;
        QTest::newRow("… and deletes after it")
            << daily << true << 5 << QStringList{u"08:30"_s, u"snooze"_s, u"08:35"_s, u"close"_s}
            << QStringList{rang, again} << QString() << tray;
        const QString tomorrow = u"下次响铃：2010年5月4日08时30分"_s;
        QTest::newRow("a skipped ring shows in the row and survives a restart")
            << daily << false << 5 << QStringList{u"skip"_s, u"restart"_s} << QStringList()
            << tomorrow + u"（已跳过 2010年5月3日08时30分）"_s
            << tray + u"\n下一个闹钟：2010年5月4日08时30分"_s;
        QTest::newRow("… and is not rung, the next is")
            << daily << false << 5 << QStringList{u"skip"_s, u"restart"_s, u"08:31"_s} << QStringList()
            << tomorrow << tray + u"\n下一个闹钟：2010年5月4日08时30分"_s;
        QTest::newRow("skipping 仅一次 leaves it ringing never")
            << once << false << 5 << QStringList{u"skip"_s, u"08:30"_s} << QStringList() << u"不会再响铃"_s
            << tray;
        QTest::newRow("恢复 brings the skipped ring back")
            << daily << false << 5 << QStringList{u"skip"_s, u"restore"_s, u"08:30"_s} << QStringList{rang}
            << tomorrow << tray + u"\n下一个闹钟：2010年5月4日08时30分"_s;
        // After a suspend: rung late within the limit, listed as missed beyond it.
        QTest::newRow("30 minutes late within a limit of an hour rings")
            << daily << false << 5 << QStringList{u"limit60"_s, u"09:00"_s}
            << QStringList{u"开会@2010年5月3日08时30分（迟到 30 分钟）"_s} << tomorrow
            << tray + u"\n下一个闹钟：2010年5月4日08时30分"_s;
        QTest::newRow("three hours late is listed as missed, not rung")
            << daily << false << 5 << QStringList{u"limit60"_s, u"11:30"_s}
            << QStringList{u"错过 开会@2010年5月3日08时30分（迟到 180 分钟）"_s} << tomorrow
            << tray + u"\n下一个闹钟：2010年5月4日08时30分"_s;
    }
    void alarmLife() {
        QFETCH(QString, alarm);
        QFETCH(bool, autoDelete);
        QFETCH(int, snoozeMinutes);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, rang);
        QFETCH(QString, rowTip);
        QFETCH(QString, trayTip);
        AlarmFixture f;
        QVERIFY(f.ready);
        f.settings.setAutoDelete(autoDelete);
        f.settings.setSnoozeMinutes(snoozeMinutes);
        const qint64 key = f.insert(alarm);
        std::unique_ptr<AlarmEngine> engine = f.engine();
        QStringList seen;
        const auto listen = [&] {
            connect(&engine->ringer(), &AlarmRinger::started, this,
                    [&seen](const FiredAlarm& a) { seen << a.alarm.reminder + u'@' + a.dueLine(); });
            connect(engine.get(), &AlarmEngine::missed, this, [&seen](const QList<FiredAlarm>& missed) {
                for (const FiredAlarm& a : missed)
                    seen << u"错过 "_s + a.alarm.reminder + u'@' + a.dueLine();
            });
        };
        listen();
        for (const QString& step : steps) {
            if (step.contains(u':')) {
                f.clock.set(QDateTime(QDate(2010, 5, 3), QTime::fromString(step, u"HH:mm"_s)));
                engine->tick();
            } else if (step == u"snooze") {
                engine->ringer().Snooze();
            } else if (step == u"close") {
                engine->ringer().reminderClosed();
            } else if (step == u"delete") {
                QVERIFY(engine->remove(key));
            } else if (step == u"modify") {
                QVERIFY(engine->update(key, {u"仅一次|2010年5月3日08时30分"_s, u"真|默认"_s, u"真|改"_s}));
            } else if (step == u"cancel") {
                QVERIFY(engine->cancelPutOff(key));
            } else if (step == u"skip") {
                QCOMPARE(engine->skipNext(key), minuteKey(at(u"2010-05-03 08:30:00"_s)));
            } else if (step == u"restore") {
                QVERIFY(engine->restoreSkipped(key));
            } else if (step == u"limit60") {
                f.settings.setLateLimitMinutes(60);
            } else if (step == u"restart") {
                engine.reset();
                f.clock.advance(10);
                engine = f.engine();
                listen();
            }
        }
        QCOMPARE(seen, rang);
        const Alarm* row = engine->model().find(key);
        QCOMPARE(row ? engine->toolTip(*row) : QString(), rowTip);
        QCOMPARE(engine->trayToolTip(), trayTip);
        QCOMPARE(int(f.rows().size()), row ? 1 : 0);
    }

    // Another program holding the file (a backup, a database browser) or a failing disk: a read keeps the
    // alarms loaded and is tried again at the next minute, a write says it failed and changes nothing,
    // and the alarm rings in its minute all the same.
    void troubledDatabase_data() {
        QTest::addColumn<bool>("busy"); // else the disk fails every read
        QTest::newRow("another connection holds BEGIN EXCLUSIVE") << true;
        QTest::newRow("reads fail with an I/O error") << false;
    }
    void troubledDatabase() {
        QFETCH(bool, busy);
        FaultyVfs disk;
        AlarmFixture f;
        QVERIFY(f.ready);
        f.db.setBusyTimeout(20);
        const qint64 key = f.insert(u"每天|2010年5月3日08时30分;真|默认;真|开会"_s);
        const std::unique_ptr<AlarmEngine> engine = f.engine();
        Database other;
        QVERIFY(other.open(f.paths.windowsFile(u"dbtime.mdb"_s)));
        if (busy)
            QVERIFY(other.execute(u"BEGIN EXCLUSIVE"_s));
        else
            disk.failReads(true);

        QVERIFY(!engine->reload());
        QCOMPARE(engine->model().size(), 1);
        QVERIFY(engine->model().stale());
        QVERIFY(!engine->remove(key));
        QCOMPARE(engine->model().size(), 1);
        QVERIFY(!engine->add({u"每天|2010年5月3日09时00分"_s, u"真|默认"_s, u"真|x"_s}));
        QCOMPARE(engine->model().size(), 1);
        f.clock.set(at(u"2010-05-03 08:30:00"_s));
        engine->tick();
        QVERIFY(engine->ringer().current());
        QCOMPARE(engine->ringer().current()->alarm.reminder, u"开会"_s);

        if (busy)
            QVERIFY(other.execute(u"COMMIT"_s));
        else
            disk.failReads(false);
        f.clock.set(at(u"2010-05-03 08:31:00"_s));
        engine->tick();
        QVERIFY(!engine->model().stale());
        QCOMPARE(engine->model().size(), 1);
    }

    // "提前提醒": a notice that many minutes before the ring, once, whose "跳过此次" skips that ring.
    void headsUpNotice() {
        AlarmFixture f;
        QVERIFY(f.ready);
        f.settings.setHeadsUpMinutes(10);
        f.insert(u"每天|2010年5月3日08时40分;真|默认;真|开会"_s);
        RecordingNotifier notifier;
        const std::unique_ptr<AlarmEngine> engine = f.engine(&notifier);
        for (const char* minute : {"08:29", "08:30", "08:31"}) {
            f.clock.set(
                QDateTime(QDate(2010, 5, 3), QTime::fromString(QString::fromLatin1(minute), u"HH:mm"_s)));
            engine->tick();
        }
        QCOMPARE(notifier.shown,
                 QStringList{u"1 即将响铃：08:40 开会/2010年5月3日08时40分/skip=跳过此次,ok=知道了"_s});
        emit notifier.actionInvoked(1, u"skip"_s);
        QCOMPARE(notifier.closed, QList<quint64>{1});
        QCOMPARE(engine->skippedMinute(1), minuteKey(at(u"2010-05-03 08:40:00"_s)));
        f.clock.set(at(u"2010-05-03 08:40:00"_s));
        engine->tick();
        QVERIFY(!engine->ringer().current());
        // A notice left on screen goes when its ring comes.
        for (const char* now : {"2010-05-04 08:30:00", "2010-05-04 08:40:00"}) {
            f.clock.set(at(QString::fromLatin1(now)));
            engine->tick();
        }
        QVERIFY(engine->ringer().current());
        QCOMPARE(notifier.closed, (QList<quint64>{1, 2}));
    }

    // The holiday table of next year, from 1 November: fetched from the address when one is set, and
    // said missing once (tray and a notice) when it is still missing, then said arrived once.
    void holidayYears_data() {
        QTest::addColumn<bool>("address");
        QTest::newRow("no address: said missing, then arrived") << false;
        QTest::newRow("an address that has the year") << true;
    }
    void holidayYears() {
        QFETCH(bool, address);
        AlarmFixture f;
        QVERIFY(f.ready);
        f.clock.set(at(u"2026-11-02 07:00:00"_s));
        // First days after the test's: nothing rings meanwhile.
        f.insert(u"工作日|2027年6月1日08时00分;真|默认;真|上班"_s);
        f.insert(u"每天|2027年6月1日09时00分;真|默认;真|吃药"_s);
        LoopbackHttpServer server;
        server.setBody("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20270101\r\n"
                       "SUMMARY:元旦(休)\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
        if (address)
            QVERIFY(IniProfile::write(f.settings.file(), SystemSettings::section(), u"节假日地址"_s,
                                      QString::fromLatin1(server.url("/h.ics"))));
        RecordingNotifier notifier;
        AlarmEngine engine(f.db, {f.clock, f.sound, f.paths, f.settings, &notifier, pageFetcher()});
        engine.start();
        const auto day = [&](int d) {
            f.clock.set(QDateTime(QDate(2026, 11, d), QTime(7, 0)));
            engine.tick();
        };
        day(2);
        if (address) {
            QTRY_VERIFY(holidayTable().covers(2027));
            setHolidayTable(HolidayTable::carried());
            QCOMPARE(notifier.shown, QStringList());
            QCOMPARE(engine.trayToolTip().count(u'\n'), 1); // the next alarm only
            return;
        }
        const QString missing = u"2027年法定节假日尚未收录：1 个闹钟暂按周一至周五"_s;
        QCOMPARE(notifier.shown, QStringList{u"1 "_s + missing + u"/上班（工作日）/"_s});
        QVERIFY(engine.trayToolTip().endsWith(missing));
        day(3);
        QCOMPARE(notifier.shown.size(), 1);
        setHolidayTable(
            HolidayTable::carried().overriddenBy(HolidayTable({{QDate(2027, 1, 1), true, u"元旦"_s}})));
        day(4);
        day(5);
        setHolidayTable(HolidayTable::carried());
        QCOMPARE(notifier.shown.value(1), u"2 Orvane电脑闹钟/已收录 2027 年安排/"_s);
        QCOMPARE(notifier.shown.size(), 2);
        QVERIFY(!engine.trayToolTip().contains(missing));
    }

    // Hidden, the program wakes only in minutes with work.
    void wakePlan_data() {
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("alarm");  // hh:mm today, empty: none
        QTest::addColumn<QString>("snooze"); // a put-off ring of it: minutes from now
        QTest::addColumn<bool>("announcement");
        QTest::addColumn<QString>("wake");
        QTest::addColumn<int>("headsUp"); // "提前提醒" minutes
        QTest::newRow("the notice 10 minutes before the alarm")
            << u"08:05"_s << u"08:19"_s << u""_s << false << u"08:09"_s << 10;
        QTest::newRow("the notice already sent: the alarm")
            << u"08:12"_s << u"08:19"_s << u""_s << false << u"08:19"_s << 10;
        QTest::newRow("nothing to do: a quarter of an hour")
            << u"08:05"_s << u""_s << u""_s << false << u"08:20"_s << 0;
        QTest::newRow("an alarm sooner than that")
            << u"08:05"_s << u"08:09"_s << u""_s << false << u"08:09"_s << 0;
        QTest::newRow("an alarm in the next minute")
            << u"08:05"_s << u"08:06"_s << u""_s << false << u"08:06"_s << 0;
        QTest::newRow("a put-off ring before the alarm")
            << u"08:05"_s << u"08:12"_s << u"2"_s << false << u"08:07"_s << 0;
        QTest::newRow("the announcement at the half hour")
            << u"08:20"_s << u""_s << u""_s << true << u"08:30"_s << 0;
        QTest::newRow("the announcement at the full hour, past midnight")
            << u"23:45"_s << u""_s << u""_s << true << u"00:00+1"_s << 0;
        QTest::newRow("announcement off: the half hour is no work")
            << u"08:20"_s << u""_s << u""_s << false << u"08:35"_s << 0;
    }
    void wakePlan() {
        QFETCH(QString, now);
        QFETCH(QString, alarm);
        QFETCH(QString, snooze);
        QFETCH(bool, announcement);
        QFETCH(QString, wake);
        QFETCH(int, headsUp);
        const QDate today(2026, 12, 7);
        const auto key = [&today](const QString& hhmm) {
            const QTime t = QTime::fromString(hhmm.left(5), u"HH:mm"_s);
            return minuteKey(today.addDays(hhmm.endsWith(u"+1") ? 1 : 0), t.hour() * 60 + t.minute());
        };
        AlarmFixture f;
        QVERIFY(f.ready);
        f.clock.set(dateTimeOfMinute(key(now)));
        if (!alarm.isEmpty())
            f.insert(u"每天|2026年12月7日"_s + alarm.left(2) + u'时' + alarm.mid(3, 2) +
                     u"分;真|默认;真|x"_s);
        f.insert(u"仅一次|2026年12月6日08时07分;真|默认;真|past"_s); // rings no more
        f.settings.setHourlyChime(announcement);
        f.settings.setSnoozeMinutes(5);
        f.settings.setHeadsUpMinutes(headsUp);
        std::unique_ptr<AlarmEngine> engine = f.engine();
        if (!snooze.isEmpty()) {
            // A ring of the past alarm put off so that it is due `snooze` minutes from now.
            engine->ringer().enqueue(fired(u"仅一次|2026年12月6日08时07分;真|默认;真|past"_s));
            f.clock.set(dateTimeOfMinute(key(now) + snooze.toInt() - 5));
            engine->ringer().Snooze();
        }
        QCOMPARE(engine->wakeMinute(key(now)), key(wake));
    }
};
ORVANE_TEST(SchedulerTest)
#include "test_Scheduler.moc"
