// The one reader and writer of an alarm's stored texts: the pieces the lists show, the strict reading
// of when it rings, the lenient fill of the editor, and values written back byte for byte.
#include "TestRegistry.h"
#include "alarm/AlarmCodec.h"
#include "alarm/AlarmRows.h"

#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

class AlarmCodecTest : public QObject {
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
        const Alarm alarm = decodeAlarm(7, {due, ring, prompt});
        QCOMPARE((QStringList{u"1"_s, alarm.dueText, alarm.reminder, alarm.weekdayColumn()}), shown);
        QCOMPARE((QStringList{alarm.rule, alarm.ringFlag, alarm.popupFlag, alarm.sound}), hidden);
        QCOMPARE(alarm.key, 7);
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
        const Alarm expected =
            decodeAlarm(42, {QString::fromUtf8(due), QString::fromUtf8(ring), QString::fromUtf8(prompt)});
        AlarmRows rows({StoredAlarm{}, StoredAlarm{}, stored});
        QCOMPARE(rows.at(2), expected);
        QCOMPARE(rows.at(2), expected); // read again: the cut is kept, not redone from emptied texts
    }

    // Due texts are read strictly, and the rule decides the days.
    void nextRing_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("after"); // the next ring at or after this minute
        QTest::addColumn<QString>("next");  // empty: never
        const auto row = [](const char* name, const char* rule, const char* due, const char* after,
                            const char* next) {
            QTest::newRow(name) << QString::fromUtf8(rule) << QString::fromUtf8(due)
                                << QString::fromUtf8(after) << QString::fromUtf8(next);
        };
        row("每天 before its first day: the first day", "每天", "2026年12月9日07时05分", "2026-12-01 00:00",
            "2026-12-09 07:05");
        row("每天 later that day: the next day", "每天", "2026年12月9日07时05分", "2027-02-28 07:06",
            "2027-03-01 07:05");
        row("每天 in its own minute: that minute", "每天", "2026年12月9日07时05分", "2026-12-10 07:05",
            "2026-12-10 07:05");
        row("星期三 from a Thursday: next Wednesday", "星期三", "2026年12月9日07时05分", "2026-12-10 08:00",
            "2026-12-16 07:05");
        row("星期日 across a year end", "星期日", "2026年12月1日23时59分", "2026-12-28 00:00",
            "2027-01-03 23:59");
        row("星期一 stored on a Friday: the Monday after", "星期一", "2026年12月11日06时00分",
            "2026-12-01 00:00", "2026-12-14 06:00");
        row("仅一次 before its minute", "仅一次", "2026年12月9日07时05分", "2026-12-09 07:05",
            "2026-12-09 07:05");
        row("仅一次 after its minute: never", "仅一次", "2026年12月9日07时05分", "2026-12-09 07:06", "");
        row("29 February in a leap year", "仅一次", "2024年2月29日00时00分", "2024-01-01 00:00",
            "2024-02-29 00:00");
        row("29 February in another year: never", "每天", "2023年2月29日00时00分", "2023-01-01 00:00", "");
        row("one-digit hour: never", "每天", "2026年12月9日7时05分", "2026-12-01 00:00", "");
        row("zero-padded day: never", "每天", "2026年12月09日07时05分", "2026-12-01 00:00", "");
        row("hour 24: never", "每天", "2026年12月9日24时00分", "2026-12-01 00:00", "");
        row("trailing text: never", "每天", "2026年12月9日07时05分 ", "2026-12-01 00:00", "");
        row("full-width digits: never", "每天", "２０２６年12月9日07时05分", "2026-12-01 00:00", "");
        row("weekday 星期八: never", "星期八", "2026年12月9日07时05分", "2026-12-01 00:00", "");
        row("the rule 星期 alone: never", "星期", "2026年12月9日07时05分", "2026-12-01 00:00", "");
        // China's workdays by the carried holiday table.
        row("工作日 skips 国庆节", "工作日", "2026年9月1日08时00分", "2026-10-01 00:00", "2026-10-08 08:00");
        row("工作日 on a make-up Saturday", "工作日", "2026年9月1日08时00分", "2026-10-09 08:01",
            "2026-10-10 08:00");
        row("工作日 skips the nine days of 春节", "工作日", "2026年1月1日08时00分", "2026-02-14 08:01",
            "2026-02-24 08:00");
        row("工作日 on an ordinary Monday", "工作日", "2026年9月1日08时00分", "2026-09-26 00:00",
            "2026-09-28 08:00");
        row("节假日 on 中秋, a Friday", "节假日", "2026年9月1日09时00分", "2026-09-21 00:00",
            "2026-09-25 09:00");
        row("节假日 skips a make-up Sunday", "节假日", "2026年9月1日09时00分", "2026-09-19 09:01",
            "2026-09-25 09:00");
        // Lunar dates: 2025-10-06 and 2026-09-25 are both 八月十五.
        row("农历每年 中秋 a year on", "农历每年", "2025年10月6日08时00分", "2025-10-07 00:00",
            "2026-09-25 08:00");
        row("农历每年 闰二月 birthday in a year without it: 二月", "农历每年", "2023年3月22日08时00分",
            "2023-03-23 00:00", "2024-03-10 08:00");
        row("农历每年 闰四月 birthday in a year with 闰四月: the leap month", "农历每年",
            "2001年6月1日08时00分", "2020-04-01 00:00", "2020-06-01 08:00");
        row("农历每年 四月 birthday never rings in 闰四月", "农历每年", "2020年5月2日08时00分",
            "2020-05-03 00:00", "2021-05-21 08:00");
        row("农历每月 day 30 in a month of 29: the 29th", "农历每月", "2026年1月18日07时00分",
            "2026-01-19 00:00", "2026-02-16 07:00");
        row("节气: 冬至 after 大雪", "节气", "2026年1月1日07时00分", "2026-12-07 07:01", "2026-12-22 07:00");
        row("节气 on its own day", "节气", "2026年1月1日07时00分", "2026-02-04 00:00", "2026-02-04 07:00");
        // Sets of weekdays ignore holidays; 2026-12-12 is a Saturday.
        row("周一至周五 from a Saturday: Monday", "周一至周五", "2026年12月1日07时00分", "2026-12-12 00:00",
            "2026-12-14 07:00");
        row("周一至周五 rings on 国庆", "周一至周五", "2026年9月1日07时00分", "2026-10-01 00:00",
            "2026-10-01 07:00");
        row("周末 from a Monday: Saturday", "周末", "2026年12月1日09时00分", "2026-12-14 00:00",
            "2026-12-19 09:00");
        row("周二、周四 after Tuesday's ring: Thursday", "周二、周四", "2026年12月1日07时00分",
            "2026-12-15 07:01", "2026-12-17 07:00");
        // 大小周 counted from the week of 2026-09-14: its Saturday 9-19 works; 9-26 (a small week) is 中秋
        // off, 10-3 (big) 国庆 off, 10-10 (small) a make-up Saturday, 10-17 big, 10-24 small.
        row("大小周 on the big week's Saturday", "大小周", "2026年9月14日08时00分", "2026-09-19 00:00",
            "2026-09-19 08:00");
        row("大小周 skips the holidays of 国庆 to the 8th", "大小周", "2026年9月14日08时00分",
            "2026-09-30 08:01", "2026-10-08 08:00");
        row("大小周 rings the make-up Saturday of a small week", "大小周", "2026年9月14日08时00分",
            "2026-10-09 08:01", "2026-10-10 08:00");
        row("大小周 rings the next big week's Saturday", "大小周", "2026年9月14日08时00分",
            "2026-10-16 08:01", "2026-10-17 08:00");
        row("大小周 skips the small week's Saturday", "大小周", "2026年9月14日08时00分", "2026-10-23 08:01",
            "2026-10-26 08:00");
        // Shifts from their first day, across a month end.
        row("上3休3 rests three days after three", "上3休3", "2026年11月28日07时00分", "2026-11-30 07:01",
            "2026-12-04 07:00");
        row("上三休三 in Chinese numbers", "上三休三", "2026年11月28日07时00分", "2026-12-01 00:00",
            "2026-12-04 07:00");
        row("做2休1 a month on", "做2休1", "2026年11月1日07时00分", "2026-11-30 07:01", "2026-12-01 07:00");
        row("每隔3天 is one day on, two off", "每隔3天", "2026年11月30日07时00分", "2026-11-30 07:01",
            "2026-12-03 07:00");
        row("上31休1 is no rule: never", "上31休1", "2026年11月30日07时00分", "2026-11-30 00:00", "");
    }
    void nextRing() {
        QFETCH(QString, rule);
        QFETCH(QString, due);
        QFETCH(QString, after);
        QFETCH(QString, next);
        const auto key = [](const QString& text) {
            return minuteKey(QDateTime::fromString(text, u"yyyy-MM-dd HH:mm"_s));
        };
        const AlarmTime time = decodeAlarm(1, {rule + u'|' + due, {}, {}}).time;
        const std::optional<qint64> found = time.nextAt(key(after));
        QCOMPARE(found.has_value(), !next.isEmpty());
        if (!found)
            return;
        QCOMPARE(*found, key(next));
        QVERIFY(time.ringsAt(*found));
        QVERIFY(!time.ringsAt(*found - 1));
        QCOMPARE(dueText(*found),
                 QDateTime::fromString(next, u"yyyy-MM-dd HH:mm"_s).toString(u"yyyy年M月d日HH时mm分"_s));
    }

    // The weekday worked out from the Julian day agrees with the calendar on every day of four years.
    void weekdaysAgreeWithTheCalendar() {
        for (QDate d(2024, 1, 1); d.year() < 2028; d = d.addDays(1)) {
            const QString rule = u"星期"_s + u"一二三四五六日"_s.at(d.dayOfWeek() - 1);
            const AlarmTime time = decodeAlarm(1, {rule + u"|2024年1月1日12时00分"_s, {}, {}}).time;
            if (!time.ringsAt(minuteKey(d, 12 * 60)) || time.ringsAt(minuteKey(d.addDays(1), 12 * 60)))
                QFAIL(qPrintable(d.toString(Qt::ISODate)));
        }
    }

    // The words of the rules: read in the forms people type, written in one form, never a word an older
    // version would read as a rule of its own (it reads an unknown word as one that never rings).
    void ruleWords_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty: no rule
        QTest::newRow("Monday to Friday") << u"周一至周五"_s << u"周一至周五"_s;
        QTest::newRow("a set in any order") << u"周四、周二"_s << u"周二、周四"_s;
        QTest::newRow("Saturday and Sunday are 周末") << u"周日、周六"_s << u"周末"_s;
        QTest::newRow("one day is 星期X") << u"周三"_s << u"星期三"_s;
        QTest::newRow("seven days are 每天") << u"周一、周二、周三、周四、周五、周六、周日"_s << u"每天"_s;
        QTest::newRow("a day twice is no set") << u"周一、周一"_s << QString();
        QTest::newRow("周八 is no day") << u"周一、周八"_s << QString();
        QTest::newRow("大小周") << u"大小周"_s << u"大小周"_s;
        QTest::newRow("上十二休二十") << u"上十二休二十"_s << u"上12休20"_s;
        QTest::newRow("做1休2 is 每隔3天") << u"做1休2"_s << u"每隔3天"_s;
        QTest::newRow("每隔三十天") << u"每隔三十天"_s << u"每隔30天"_s;
        QTest::newRow("上0休1: no") << u"上0休1"_s << QString();
        QTest::newRow("上3休31: no") << u"上3休31"_s << QString();
        QTest::newRow("每隔1天: no (that is 每天)") << u"每隔1天"_s << QString();
        QTest::newRow("上二十X休1: no") << u"上二十X休1"_s << QString();
    }
    void ruleWords() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const std::optional<AlarmRule> rule = ruleFromText(typed);
        QCOMPARE(rule ? ruleText(*rule) : QString(), stored);
        if (!rule)
            return;
        QCOMPARE(ruleFromText(stored), rule);
        const QStringList oldWords{u"每天"_s,     u"仅一次"_s,   u"工作日"_s, u"节假日"_s,
                                   u"农历每年"_s, u"农历每月"_s, u"节气"_s};
        const bool old = oldWords.contains(stored) || (stored.size() == 3 && stored.startsWith(u"星期"_s));
        QCOMPARE(old, rule->kind < RuleKind::WeekdaySet);
    }

    // The `until` bound: a calendar rule looks no further than the minute now, so the scan of one minute
    // never walks a year of days.
    void nextRingStopsAtUntil_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("untilDays"); // from 2026-12-08 00:00
        QTest::addColumn<bool>("found");
        QTest::newRow("工作日 within the bound") << u"工作日"_s << 1 << true;
        QTest::newRow("农历每年 a year away: none within a day") << u"农历每年"_s << 1 << false;
        QTest::newRow("农历每年 within a year and a month") << u"农历每年"_s << 400 << true;
    }
    void nextRingStopsAtUntil() {
        QFETCH(QString, rule);
        QFETCH(int, untilDays);
        QFETCH(bool, found);
        const AlarmTime time = decodeAlarm(1, {rule + u"|2026年12月7日08时00分"_s, {}, {}}).time;
        const qint64 from = minuteKey(QDate(2026, 12, 8), 0);
        QCOMPARE(time.nextAt(from, from + untilDays * kMinutesPerDay).has_value(), found);
    }

    // What the editor writes reads back as the same values, and writing them again gives the same bytes.
    void valuesRoundTrip_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("due");
        QTest::newRow("每天 at 08:30")
            << u"每天"_s << QDate(2010, 5, 3) << 8 << 30 << u"每天|2010年5月3日08时30分"_s;
        QTest::newRow("星期日 at midnight")
            << u"星期日"_s << QDate(2026, 12, 13) << 0 << 0 << u"星期日|2026年12月13日00时00分"_s;
        QTest::newRow("农历每年 on a leap day")
            << u"农历每年"_s << QDate(2024, 2, 29) << 23 << 59 << u"农历每年|2024年2月29日23时59分"_s;
        QTest::newRow("a year below 1000")
            << u"仅一次"_s << QDate(999, 1, 1) << 7 << 5 << u"仅一次|999年1月1日07时05分"_s;
    }
    void valuesRoundTrip() {
        QFETCH(QString, rule);
        QFETCH(QDate, date);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, due);
        const AlarmValues values{*ruleFromText(rule), date, hour,       minute, false,
                                 u"/音乐/早.mp3"_s,   true, u"It's|x"_s};
        const AlarmTexts texts = encodeAlarm(values);
        QCOMPARE(texts, (AlarmTexts{due, u"假|/音乐/早.mp3"_s, u"真|It's|x"_s}));
        const Alarm alarm = decodeAlarm(3, texts);
        QCOMPARE(alarm.texts, texts);
        QCOMPARE(ruleText(alarm.time.rule), rule);
        QCOMPARE(dueText(alarm.time.firstDay * kMinutesPerDay + alarm.time.minuteOfDay),
                 due.mid(due.indexOf(u'|') + 1));
        const EditorFill fill = orvane::editorFill(texts);
        QCOMPARE(*fill.date, date);
        QCOMPARE(fill.hour->toInt() * 60 + fill.minute->toInt(), hour * 60 + minute);
    }

    // The modify fill reads the stored texts at the editor's fixed places, and leaves out what it cannot.
    void editorFill_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("ring");
        QTest::addColumn<QString>("prompt");
        // rule, date, hour, minute, ring, path, popup, reminder; "-" for a value left out
        QTest::addColumn<QStringList>("fill");
        const auto row = [](const char* name, const QString& time, const QString& ring, const QString& prompt,
                            const QString& fill) {
            QTest::newRow(name) << time << ring << prompt << fill.split(u',');
        };
        row("two pieces fill every control", u"星期二|2010年5月4日06时15分"_s, u"假|默认"_s, u"真|开会"_s,
            u"星期二,2010-05-04,06,15,0,默认,1,开会"_s);
        row("last minute of the year read at fixed places", u"每天|2010年12月31日23时59分"_s, u"真|默认"_s,
            u"真|"_s, u"每天,2010-12-31,23,59,1,默认,1,"_s);
        row("one piece fills the rule only", u"星期三"_s, u"真"_s, u"假"_s, u"星期三,-,-,-,1,-,0,-"_s);
        row("| in the reminder leaves it out, the flag still read", u"每天|2010年5月3日08时30分"_s,
            u"真|默认"_s, u"假|a|b"_s, u"每天,2010-05-03,08,30,1,默认,0,-"_s);
        row("| in the ring path leaves it out", u"每天|2010年5月3日08时30分"_s, u"假|/a|b.mp3"_s, u"真|x"_s,
            u"每天,2010-05-03,08,30,0,-,1,x"_s);
        row("a one-digit hour is read at the fixed places as typed", u"每天|2010年5月3日7时5分"_s,
            u"真|默认"_s, u"真|x"_s, u"每天,2010-05-03,7时,分,1,默认,1,x"_s);
    }
    void editorFill() {
        QFETCH(QString, time);
        QFETCH(QString, ring);
        QFETCH(QString, prompt);
        QFETCH(QStringList, fill);
        const EditorFill f = orvane::editorFill({time, ring, prompt});
        const auto text = [](const auto& v, auto shown) { return v ? shown(*v) : u"-"_s; };
        const auto flag = [](bool b) { return QString::number(b); };
        const auto same = [](const QString& t) { return t; };
        const QStringList actual{
            text(f.rule, same),  text(f.date, [](QDate d) { return d.toString(Qt::ISODate); }),
            text(f.hour, same),  text(f.minute, same),
            text(f.ring, flag),  text(f.sound, same),
            text(f.popup, flag), text(f.reminder, same)};
        QCOMPARE(actual, fill);
    }
};

ORVANE_TEST(AlarmCodecTest)
#include "test_AlarmCodec.moc"
