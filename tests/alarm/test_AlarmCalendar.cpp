// The alarms as an iCalendar file: every rule out and back unchanged, what other calendars are shown, and
// other programs' events taken or skipped with a reason.
#include "TestRegistry.h"
#include "alarm/AlarmCalendar.h"
#include "alarm/AlarmCodec.h"

#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

namespace {

const QDate kToday(2026, 12, 7); // a Monday

QByteArray calendarOf(const QByteArray& event) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//EN\r\nBEGIN:VEVENT\r\nUID:1@example.com\r\n"
           "DTSTAMP:19970901T130000Z\r\n" +
           event + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

} // namespace

class AlarmCalendarTest : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data() {
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("ring");
        QTest::addColumn<QByteArray>("repeat"); // what other calendars read: the RRULE, RDATE, or neither
        const QString ring = u"真|默认"_s;
        QTest::newRow("每天") << u"每天|2026年12月1日07时30分"_s << ring << "RRULE:FREQ=DAILY\r\n"_ba;
        QTest::newRow("星期三 stored on a Monday starts on Wednesday")
            << u"星期三|2026年12月7日07时30分"_s << ring
            << "DTSTART:20261209T073000\r\nRRULE:FREQ=WEEKLY;BYDAY=WE\r\n"_ba;
        QTest::newRow("周一至周五") << u"周一至周五|2026年12月7日06时50分"_s << ring
                                    << "RRULE:FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR\r\n"_ba;
        QTest::newRow("周末") << u"周末|2026年12月7日09时00分"_s << ring << "BYDAY=SA,SU\r\n"_ba;
        QTest::newRow("周二、周四") << u"周二、周四|2026年12月7日18时00分"_s << ring << "BYDAY=TU,TH\r\n"_ba;
        QTest::newRow("仅一次, in the past too")
            << u"仅一次|2025年3月9日06时50分"_s << ring << "DTSTART:20250309T065000\r\nSUMMARY"_ba;
        QTest::newRow("每隔3天 from its stored day")
            << u"每隔3天|2026年12月5日08时00分"_s << ring
            << "DTSTART:20261205T080000\r\nRRULE:FREQ=DAILY;INTERVAL=3\r\n"_ba;
        QTest::newRow("工作日 lists dates") << u"工作日|2026年1月5日08时00分"_s << ring << "RDATE:"_ba;
        QTest::newRow("节假日") << u"节假日|2026年1月5日10时00分"_s << ring << "RDATE:"_ba;
        QTest::newRow("大小周") << u"大小周|2026年12月7日08时00分"_s << ring << "RDATE:"_ba;
        QTest::newRow("上3休3") << u"上3休3|2026年12月7日20时00分"_s << ring << "RDATE:"_ba;
        QTest::newRow("农历每年, one date a year")
            << u"农历每年|2026年3月1日08时00分"_s << ring << "DESCRIPTION:重复：农历每年"_ba;
        QTest::newRow("农历每月") << u"农历每月|2026年3月1日08时00分"_s << ring << "RDATE:"_ba;
        QTest::newRow("节气") << u"节气|2026年1月1日08时00分"_s << ring << "RDATE:"_ba;
        QTest::newRow("silent alarm, path with | and ; and \\")
            << u"每天|2026年12月1日07时30分"_s << u"假|/home/用户/a|b;c\\d.mp3"_s
            << "RRULE:FREQ=DAILY\r\n"_ba;
    }
    void roundTrip() {
        QFETCH(QString, due);
        QFETCH(QString, ring);
        QFETCH(QByteArray, repeat);
        // Texts that need escaping, spaces at both ends (which readers trim), a line fold inside a Chinese
        // character.
        const AlarmTexts texts{
            due, ring,
            u" 真|开会, 带;分号\\和\n换行、\r回车、%41：这是一段很长的提醒文字，长到文件里要折行才能写下 "_s};
        const QList<Alarm> alarms{decodeAlarm(3, texts)};
        const QByteArray ics = exportAlarms(
            alarms, [](const Alarm& a, qint64 from) { return a.time.nextAt(from); }, kToday);
        QVERIFY2(ics.contains(repeat), ics.constData());
        QCOMPARE(ics.contains("ACTION:AUDIO"), ring.startsWith(u'真'));
        QVERIFY(ics.contains("ACTION:DISPLAY"));

        const CalendarImport back = readCalendar(ics, kToday);
        QCOMPARE(back.error, QString());
        QCOMPARE(back.skipped, QStringList());
        QCOMPARE(back.alarms, QList<AlarmTexts>{texts});
    }

    void skippedRingLeftOutOfTheRepeat() {
        const Alarm alarm = decodeAlarm(1, {u"每天|2026年12月1日07时30分"_s, u"真|默认"_s, u"真|起床"_s});
        const qint64 skipped = minuteKey(QDate(2026, 12, 8), 7 * 60 + 30);
        const QByteArray ics = exportAlarms(
            {alarm},
            [skipped](const Alarm& a, qint64 from) {
                const std::optional<qint64> next = a.time.nextAt(from);
                return next == skipped ? a.time.nextAt(*next + 1) : next;
            },
            kToday);
        QVERIFY2(ics.contains("RRULE:FREQ=DAILY\r\nEXDATE:20261208T073000\r\n"), ics.constData());
    }

    // Events as other programs write them (after RFC 5545's examples). `due` empty: skipped for `reason`.
    void foreignEvents_data() {
        QTest::addColumn<QByteArray>("event");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("reason");
        QTest::newRow("one-off, floating")
            << "DTSTART:20270105T093000\r\nSUMMARY:体检"_ba << u"仅一次|2027年1月5日09时30分"_s << QString();
        QTest::newRow("daily") << "DTSTART:20261201T063000\r\nRRULE:FREQ=DAILY\r\nSUMMARY:起床"_ba
                               << u"每天|2026年12月1日06时30分"_s << QString();
        QTest::newRow("every other day, forever")
            << "DTSTART:19970902T090000\r\nRRULE:FREQ=DAILY;INTERVAL=2"_ba
            << u"每隔2天|1997年9月2日09时00分"_s << QString();
        QTest::newRow("weekly on Tuesday and Thursday")
            << "DTSTART:19970902T090000\r\nRRULE:FREQ=WEEKLY;WKST=SU;BYDAY=TU,TH"_ba
            << u"周二、周四|1997年9月2日09时00分"_s << QString();
        QTest::newRow("weekly without BYDAY: the start's weekday")
            << "DTSTART:19970902T090000\r\nRRULE:FREQ=WEEKLY"_ba << u"星期二|1997年9月2日09时00分"_s
            << QString();
        QTest::newRow("daily on weekdays")
            << "DTSTART:19970902T090000\r\nRRULE:FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR"_ba
            << u"周一至周五|1997年9月2日09时00分"_s << QString();
        QTest::newRow("daily for 10 occurrences")
            << "DTSTART:19970902T090000\r\nRRULE:FREQ=DAILY;COUNT=10\r\nSUMMARY:晨跑"_ba << QString()
            << u"晨跑（重复有次数或截止日期）"_s;
        QTest::newRow("monthly on the first Friday")
            << "DTSTART:19970905T090000\r\nRRULE:FREQ=MONTHLY;BYDAY=1FR\r\nSUMMARY:月会"_ba << QString()
            << u"月会（不支持的重复方式）"_s;
        QTest::newRow("every other week")
            << "DTSTART:19970902T090000\r\nRRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=TU"_ba << QString()
            << u"无标题（不支持的重复方式）"_s;
        QTest::newRow("all-day") << "DTSTART;VALUE=DATE:20271102\r\nSUMMARY:生日"_ba << QString()
                                 << u"生日（全天事件，没有时间）"_s;
        QTest::newRow("no start") << "SUMMARY:待定"_ba << QString() << u"待定（没有开始时间）"_s;
        QTest::newRow("one-off already past")
            << "DTSTART:20261206T093000\r\nSUMMARY:昨天"_ba << QString() << u"昨天（时间已过）"_s;
        QTest::newRow("cancelled") << "DTSTART:20270105T093000\r\nSTATUS:CANCELLED\r\nSUMMARY:取消的会"_ba
                                   << QString() << u"取消的会（已取消）"_s;
    }
    void foreignEvents() {
        QFETCH(QByteArray, event);
        QFETCH(QString, due);
        QFETCH(QString, reason);
        const CalendarImport read = readCalendar(calendarOf(event), kToday);
        QCOMPARE(read.error, QString());
        QCOMPARE(read.skipped, reason.isEmpty() ? QStringList() : QStringList{reason});
        QCOMPARE(read.alarms.size(), due.isEmpty() ? 0 : 1);
        if (!due.isEmpty()) {
            QCOMPARE(read.alarms[0].due, due);
            QCOMPARE(read.alarms[0].ring, u"真|默认"_s);
        }
    }

    // A time in UTC rings at the same instant on this machine's clock, its weekday moved with it.
    void zonedEventRingsAtItsInstant() {
        const CalendarImport read = readCalendar(
            calendarOf("DTSTART:20270104T233000Z\r\nRRULE:FREQ=WEEKLY;BYDAY=MO\r\nSUMMARY:a|b"), kToday);
        QCOMPARE(read.alarms.size(), 1);
        const QDateTime local = QDateTime(QDate(2027, 1, 4), QTime(23, 30), QTimeZone::utc()).toLocalTime();
        const Alarm alarm = decodeAlarm(1, read.alarms[0]);
        QCOMPARE(dateTimeOfMinute(*readDueText(alarm.dueText)), local);
        QCOMPARE(alarm.time.rule, (AlarmRule{RuleKind::Weekly, quint8(local.date().dayOfWeek()), 0, 0, 0}));
        QCOMPARE(alarm.reminder, u"a｜b"_s);
    }

    void notICalendarIsOneError() {
        for (const QByteArray& text : {QByteArray(), "<html><body>404</body></html>"_ba,
                                       "BEGIN:VEVENT\r\nDTSTART:20270105T093000\r\nEND:VEVENT\r\n"_ba}) {
            const CalendarImport read = readCalendar(text, kToday);
            QCOMPARE(read.error, u"文件不是 iCalendar 日历格式"_s);
            QVERIFY(read.alarms.isEmpty());
        }
    }

    void summary() {
        QCOMPARE(importSummary(12, {}), u"导入 12 个闹钟"_s);
        QStringList skipped;
        for (int i = 1; i <= 7; ++i)
            skipped << u"事件%1（原因）"_s.arg(i);
        QCOMPARE(importSummary(2, skipped.mid(0, 2)),
                 u"导入 2 个闹钟，跳过 2 个：事件1（原因）、事件2（原因）"_s);
        // One line however many: the first five named, then 等.
        QVERIFY(
            importSummary(0, skipped)
                .endsWith(
                    u"跳过 7 个：事件1（原因）、事件2（原因）、事件3（原因）、事件4（原因）、事件5（原因）等"_s));
    }
};

ORVANE_TEST(AlarmCalendarTest)
#include "test_AlarmCalendar.moc"
