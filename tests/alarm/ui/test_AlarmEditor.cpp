// The alarm editor window against a real database file: presets, modify fill, checks, saving and failures.
#include "AlarmFixture.h"
#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "TestRegistry.h"
#include "alarm/AlarmEditorTexts.h"
#include "alarm/AlarmEditorWindow.h"
#include "alarm/AlarmLists.h"
#include "alarm/RuleChooser.h"
#include "platform/TypingBoxes.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using orvane::test::AlarmFixture;
using orvane::test::FakeClock;
using orvane::test::ScriptedDialogs;

namespace {

// One editor on a fresh database, the engine's lists on a main window that is never shown.
struct Editor : AlarmFixture {
    QWidget mainWindow;
    QWidget page{&mainWindow};
    std::unique_ptr<AlarmEngine> engine =
        (clock.set(QDateTime(QDate(2010, 5, 3), QTime(8, 29))), AlarmFixture::engine());
    AlarmLists lists = createAlarmLists(&page, &mainWindow, engine->model(), {});
    ScriptedDialogs dialogs;
    std::unique_ptr<AlarmEditorWindow> window = std::make_unique<AlarmEditorWindow>(*engine, dialogs, clock);

    template <typename T> T* get(const QString& name) const { return window->findChild<T*>(name); }
    QComboBox* combo(const QString& name) const { return get<QComboBox>(name); }
    QCheckBox* check(const QString& name) const { return get<QCheckBox>(name); }
    QString path() const { return get<QLineEdit>(u"编辑框_铃声路径"_s)->text(); }
    QPlainTextEdit* reminder() const { return get<QPlainTextEdit>(u"编辑框_弹窗内容"_s); }
    QDate date() const { return get<QDateEdit>(u"日期框1"_s)->date(); }
    void click(const QString& button) const { get<QPushButton>(button)->click(); }
    void save() const { click(u"按钮_添加"_s); }
    qint64 insert(const QString& due, const QString& ring, const QString& prompt) {
        const qint64 key = AlarmFixture::insert(due + u';' + ring + u';' + prompt);
        engine->reload();
        return key;
    }
    void openForEdit(qint64 key, const QString& due, const QString& ring, const QString& prompt) {
        window->openForEdit(decodeAlarm(key, {due, ring, prompt}));
    }
};

QStringList texts(const AlarmRecord& r) {
    return {r.dueField, r.ringField, r.promptField};
}

} // namespace

class AlarmEditorTest : public QObject {
    Q_OBJECT
private slots:
    void addPresets_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("due");
        const auto at = [](int y, int mo, int d, int h, int mi) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi));
        };
        QTest::newRow("defaults at 08:29 store the next minute")
            << at(2010, 5, 3, 8, 29) << u"每天|2010年5月3日08时30分"_s;
        QTest::newRow("10:59 carries into the hour")
            << at(2010, 5, 3, 10, 59) << u"每天|2010年5月3日11时00分"_s;
        QTest::newRow("23:59 moves the date to tomorrow")
            << at(2010, 5, 3, 23, 59) << u"每天|2010年5月4日00时00分"_s;
        QTest::newRow("new year's eve moves the year")
            << at(2010, 12, 31, 23, 59) << u"每天|2011年1月1日00时00分"_s;
        // East of UTC a local morning is the previous day in UTC: the date box must keep the local date.
        QTest::newRow("00:30 stores today, not yesterday")
            << at(2010, 5, 3, 0, 30) << u"每天|2010年5月3日00时31分"_s;
        QTest::newRow("07:59 stores today, not yesterday")
            << at(2010, 5, 3, 7, 59) << u"每天|2010年5月3日08时00分"_s;
        QTest::newRow("two-digit month and day, one-digit minute padded")
            << at(2010, 12, 25, 9, 4) << u"每天|2010年12月25日09时05分"_s;
    }
    void addPresets() {
        QFETCH(QDateTime, now);
        QFETCH(QString, due);
        Editor e;
        QVERIFY(e.ready);
        e.clock.set(now);
        e.window->openForAdd();
        QCOMPARE(e.window->mode(), AlarmEditorWindow::Mode::Add);
        QVERIFY(e.window->isVisible());
        e.save();
        const auto rows = e.rows();
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(texts(rows.at(0)), (QStringList{due, u"真|默认"_s, u"真|"_s}));
        QCOMPARE(e.dialogs.messages(), QStringList{u"添加成功！"_s});
        QCOMPARE(e.lists.shown->topLevelItemCount(), 1); // the list was reloaded before the message
        QCOMPARE(e.lists.shown->topLevelItem(0)->text(1), due.mid(3));
    }

    // What the user typed or ticked, checked and stored (no row when refused), and read back for modifying.
    void typedValues_data() {
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("ticked"); // both check boxes
        QTest::addColumn<QString>("reminder");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("stored");
        // stored: the three texts joined by ","; empty when refused
        const auto row = [](const char* name, const char* hour, const char* minute, const char* rule,
                            bool ticked, const char* reminder, const char* message, const char* stored) {
            const QString texts = QString::fromUtf8(stored);
            QTest::newRow(name) << QString::fromUtf8(hour) << QString::fromUtf8(minute)
                                << QString::fromUtf8(rule) << ticked << QString::fromUtf8(reminder)
                                << QString::fromUtf8(message)
                                << (texts.isEmpty() ? QStringList() : texts.split(u','));
        };
        const char* added = "添加成功！";
        row("unticked boxes store 假", "08", "30", "每天", false, "开会", added,
            "每天|2010年5月3日08时30分,假|默认,假|开会");
        row("| in the reminder is stored as typed", "08", "30", "每天", true, "a|b", added,
            "每天|2010年5月3日08时30分,真|默认,真|a|b");
        row("quotes round-trip", "08", "30", "每天", true, "It's \"ok\"", added,
            "每天|2010年5月3日08时30分,真|默认,真|It's \"ok\"");
        row("statement text is not run", "08", "30", "每天", true, "'); delete from [配置]; --", added,
            "每天|2010年5月3日08时30分,真|默认,真|'); delete from [配置]; --");
        row("Chinese over several lines", "08", "30", "每天", true, "开会\n带上报告\n\n三楼", added,
            "每天|2010年5月3日08时30分,真|默认,真|开会\n带上报告\n\n三楼");
        row("one-digit hour padded", "7", "30", "星期三", true, "", added,
            "星期三|2010年5月3日07时30分,真|默认,真|");
        row("one-digit minute padded", "23", "5", "星期日", true, "", added,
            "星期日|2010年5月3日23时05分,真|默认,真|");
        row("00:00 is a real time", "00", "00", "星期一", true, "", added,
            "星期一|2010年5月3日00时00分,真|默认,真|");
        row("仅一次 is a rule of its own", "06", "00", "仅一次", true, "", added,
            "仅一次|2010年5月3日06时00分,真|默认,真|");
        const char* badHour = "小时必须是00到23之间的数字";
        const char* badMinute = "分钟必须是00到59之间的数字";
        row("hour 24 never fires", "24", "30", "每天", true, "", badHour, "");
        row("empty hour", "AlarmEditorWindow", "30", "每天", true, "", badHour, "");
        row("hour with a letter", "1a", "30", "每天", true, "", badHour, "");
        row("minute 60 never fires", "08", "60", "每天", true, "", badMinute, "");
        row("three-digit minute", "08", "005", "每天", true, "", badMinute, "");
        row("rule not in the list", "08", "30", "星期八", true, "", "请从列表中选择提醒工作日", "");
        row("工作日 in a year with holiday data", "08", "30", "工作日", true, "", added,
            "工作日|2010年5月3日08时30分,真|默认,真|");
        row("农历每年 is a rule of its own", "08", "30", "农历每年", true, "", added,
            "农历每年|2010年5月3日08时30分,真|默认,真|");
        row("周一至周五 is a rule of its own", "07", "00", "周一至周五", true, "", added,
            "周一至周五|2010年5月3日07时00分,真|默认,真|");
        row("a set typed in any order is stored from Monday on", "07", "00", "周四、周二", true, "", added,
            "周二、周四|2010年5月3日07时00分,真|默认,真|");
        row("a shift typed in Chinese numbers", "07", "00", "上三休三", true, "", added,
            "上3休3|2010年5月3日07时00分,真|默认,真|");
        row("大小周", "07", "00", "大小周", true, "", added, "大小周|2010年5月3日07时00分,真|默认,真|");
        row("the chooser item is no rule", "07", "00", "自选星期…", true, "", "请从列表中选择提醒工作日", "");
    }

    // A workday alarm in a year the holiday table does not cover yet says it follows the week.
    void holidayCoverageNote_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("note");
        const QString note = u"2099年的法定节假日尚未收录，暂按周一至周五"_s;
        QTest::newRow("工作日 from a year without data")
            << u"工作日"_s << QDate(2099, 1, 5) << QDate(2026, 12, 8) << note;
        QTest::newRow("节假日 stored long ago: this year decides")
            << u"节假日"_s << QDate(2020, 1, 1) << QDate(2099, 3, 1) << note;
        QTest::newRow("工作日 in a covered year")
            << u"工作日"_s << QDate(2026, 9, 1) << QDate(2026, 8, 1) << QString();
        QTest::newRow("每天 never follows the table")
            << u"每天"_s << QDate(2099, 1, 5) << QDate(2026, 12, 8) << QString();
    }
    void holidayCoverageNote() {
        QFETCH(QString, rule);
        QFETCH(QDate, first);
        QFETCH(QDate, today);
        QFETCH(QString, note);
        QCOMPARE(orvane::holidayCoverageNote(*ruleFromText(rule), first, today), note);
    }
    void typedValues() {
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        QFETCH(QString, rule);
        QFETCH(bool, ticked);
        QFETCH(QString, reminder);
        QFETCH(QString, message);
        QFETCH(QStringList, stored);
        Editor e;
        QVERIFY(e.ready);
        e.window->openForAdd();
        e.combo(u"组合框_时"_s)->setEditText(hour);
        e.combo(u"组合框_分"_s)->setEditText(minute);
        e.combo(u"组合框_提醒工作日"_s)->setEditText(rule);
        e.check(u"选择框_铃声"_s)->setChecked(ticked);
        e.check(u"选择框_弹窗"_s)->setChecked(ticked);
        e.reminder()->setPlainText(reminder);
        e.save();
        QCOMPARE(e.dialogs.messages(), QStringList{message});
        const auto rows = e.rows();
        if (stored.isEmpty()) {
            QCOMPARE(rows.size(), size_t(0));
            QCOMPARE(e.combo(u"组合框_时"_s)->currentText(), hour); // the input stays for correcting
            return;
        }
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(texts(rows.at(0)), stored);
        const AlarmRecord& r = rows.at(0);
        e.openForEdit(r.key, r.dueField, r.ringField, r.promptField);
        QCOMPARE(e.reminder()->toPlainText(), reminder.contains(u'|') ? QString() : reminder);
        QCOMPARE(e.check(u"选择框_弹窗"_s)->isChecked(), ticked);
    }

    // Keys typed into the boxes as people type them (a box clicked, its text selected, the keys, Tab) and
    // what is stored: the time typed, or nothing with the box marked and focused.
    void typedKeys_data() {
        QTest::addColumn<QString>("date"); // typed over the selected year; empty: left as preset
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<QString>("stored"); // 提醒时间, or the box that refuses: "时" / "分"
        QTest::newRow("5 is :05, not :50") << u""_s << u"8"_s << u"5"_s << u"每天|2010年5月3日08时05分"_s;
        QTest::newRow("hour 1 is 01, not 10") << u""_s << u"1"_s << u"3"_s << u"每天|2010年5月3日01时03分"_s;
        QTest::newRow("hour 2 is 02, not 20") << u""_s << u"2"_s << u"05"_s << u"每天|2010年5月3日02时05分"_s;
        QTest::newRow("two digits as typed") << u""_s << u"23"_s << u"59"_s << u"每天|2010年5月3日23时59分"_s;
        QTest::newRow("letters never enter the box")
            << u""_s << u"x7"_s << u"a4b"_s << u"每天|2010年5月3日07时04分"_s;
        QTest::newRow("a third digit is refused")
            << u""_s << u"123"_s << u"456"_s << u"每天|2010年5月3日12时45分"_s;
        QTest::newRow("hour 25 stays and is refused") << u""_s << u"25"_s << u"30"_s << u"时"_s;
        QTest::newRow("minute 60 stays and is refused") << u""_s << u"8"_s << u"60"_s << u"分"_s;
        QTest::newRow("date with / does not skip a section")
            << u"2025/10/6"_s << u"8"_s << u"30"_s << u"每天|2025年10月6日08时30分"_s;
        QTest::newRow("one-digit month and day with /")
            << u"2027/2/1"_s << u"8"_s << u"30"_s << u"每天|2027年2月1日08时30分"_s;
        QTest::newRow("date with -") << u"2025-10-06"_s << u"8"_s << u"30"_s
                                     << u"每天|2025年10月6日08时30分"_s;
        QTest::newRow("date without separators")
            << u"20251006"_s << u"8"_s << u"30"_s << u"每天|2025年10月6日08时30分"_s;
        QTest::newRow("month 1 then / moves on")
            << u"2025/1/16"_s << u"8"_s << u"30"_s << u"每天|2025年1月16日08时30分"_s;
    }
    void typedKeys() {
        QFETCH(QString, date);
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        QFETCH(QString, stored);
        Editor e;
        QVERIFY(e.ready);
        e.window->openForAdd();
        QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
        if (!date.isEmpty()) {
            auto* box = e.get<QDateEdit>(u"日期框1"_s);
            // A double-click on the year selects it, as in the box people know.
            QTest::mouseDClick(box->findChild<QLineEdit*>(), Qt::LeftButton, {}, QPoint(8, 10));
            QTest::keyClicks(box, date);
            QTest::keyClick(box, Qt::Key_Tab);
        }
        for (auto [name, keys] : {std::pair(u"组合框_时"_s, hour), std::pair(u"组合框_分"_s, minute)}) {
            QLineEdit* edit = e.combo(name)->lineEdit();
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, keys);
            QTest::keyClick(edit, Qt::Key_Tab);
        }
        e.save();
        const auto rows = e.rows();
        if (stored.size() == 1) {
            QCOMPARE(rows.size(), size_t(0));
            QComboBox* box = e.combo(stored == u"时" ? u"组合框_时"_s : u"组合框_分"_s);
            QVERIFY(isMarked(box));
            QVERIFY(box->hasFocus());
            return;
        }
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(rows.at(0).dueField, stored);
        // The boxes show what was stored.
        QCOMPARE(e.combo(u"组合框_时"_s)->currentText() + e.combo(u"组合框_分"_s)->currentText(),
                 stored.mid(stored.indexOf(u'日') + 1, 5).remove(u'时'));
    }

    // A pasted text is taken like a typed one: a number, or nothing at all.
    void pastedText_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a number") << u"7"_s << u"07"_s;
        QTest::newRow("blanks around it") << u" 9 "_s << u"09"_s;
        QTest::newRow("words are refused") << u"八点"_s << u"11"_s;
        QTest::newRow("a time is refused") << u"08:30"_s << u"11"_s;
    }
    void pastedText() {
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        Editor e;
        e.window->openForAdd();
        e.combo(u"组合框_时"_s)->setEditText(u"11"_s);
        QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
        QLineEdit* edit = e.combo(u"组合框_时"_s)->lineEdit();
        QGuiApplication::clipboard()->setText(pasted);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(e.combo(u"组合框_时"_s)->currentText(), shown);
    }

    // A date box left with a text that is no date, or pressed while it shows one, stores nothing: the
    // date shown must be the date stored.
    void readBackGuard_data() {
        QTest::addColumn<bool>("leaveTheBox");
        QTest::newRow("pressed while the box shows 2025/2/") << false;
        QTest::newRow("left with 2025/2/, then pressed") << true;
    }
    void readBackGuard() {
        QFETCH(bool, leaveTheBox);
        Editor e;
        e.window->openForAdd();
        QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
        auto* box = e.get<QDateEdit>(u"日期框1"_s);
        QLineEdit* edit = box->findChild<QLineEdit*>();
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Backspace);
        if (leaveTheBox)
            e.combo(u"组合框_分"_s)->setFocus();
        e.save();
        QCOMPARE(e.rows().size(), size_t(0));
        QVERIFY(isMarked(box));
        QVERIFY(box->hasFocus());
        QCOMPARE(e.dialogs.messages(), QStringList());
    }

    // The choosers: "自选星期…" and "轮班…" open under the rule box and hand their rule to it; the box
    // never keeps the chooser's item, and the hint beside the buttons tells what the date means.
    void ruleChoosers() {
        Editor e;
        e.window->openForAdd();
        QComboBox* rules = e.combo(u"组合框_提醒工作日"_s);
        const auto pick = [&](const QString& item) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // a chooser closed before
            const int index = rules->findText(item);
            rules->setCurrentIndex(index);
            emit rules->activated(index);
            return e.window->findChild<RuleChooser*>();
        };
        RuleChooser* chooser = pick(weekdayChooserItem());
        QVERIFY(chooser && chooser->isVisible());
        QCOMPARE(rules->currentText(), u"每天"_s);
        chooser->findChild<QCheckBox*>(u"选择框_周4"_s)->setChecked(true);
        chooser->findChild<QCheckBox*>(u"选择框_周2"_s)->setChecked(true);
        chooser->findChild<QPushButton*>(u"按钮_确定"_s)->click();
        QCOMPARE(rules->currentText(), u"周二、周四"_s);
        chooser = pick(shiftChooserItem());
        chooser->findChild<QSpinBox*>(u"数字框_上"_s)->setValue(2);
        chooser->findChild<QSpinBox*>(u"数字框_休"_s)->setValue(1);
        chooser->findChild<QPushButton*>(u"按钮_确定"_s)->click();
        QCOMPARE(rules->currentText(), u"上2休1"_s);
        QCOMPARE(e.get<QLabel>(u"标签_规则说明"_s)->text(), u"从所选日期起上2休1"_s);
        rules->setEditText(u"大小周"_s);
        QCOMPARE(e.get<QLabel>(u"标签_规则说明"_s)->text(), u"所选日期那周为大周，周六上班"_s);
        e.save();
        QCOMPARE(e.rows().at(0).dueField, u"大小周|2010年5月3日08时30分"_s);
    }

    void saveTwiceAddsTwoRows() {
        Editor e;
        QVERIFY(e.ready);
        e.window->openForAdd();
        e.save();
        e.save();
        const auto rows = e.rows();
        QCOMPARE(rows.size(), size_t(2));
        QVERIFY(rows.at(0).key != rows.at(1).key);
        QCOMPARE(texts(rows.at(0)), texts(rows.at(1)));
        QCOMPARE(e.dialogs.messages(), (QStringList{u"添加成功！"_s, u"添加成功！"_s}));
        QCOMPARE(e.lists.shown->topLevelItemCount(), 2);
        QVERIFY(e.window->isVisible());
    }

    // The modify fill (its reading is the codec's table) reaches every control, and nothing of an earlier
    // alarm stays; what it cannot read keeps the layout content.
    void modifyFill_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("ring");
        QTest::addColumn<QString>("prompt");
        // rule, date, hour, minute, ring box, path, popup box, reminder
        QTest::addColumn<QStringList>("shown");
        const auto row = [](const char* name, const QString& time, const QString& ring, const QString& prompt,
                            const QString& shown) {
            QTest::newRow(name) << time << ring << prompt << shown.split(u',');
        };
        row("two pieces fill every control", u"星期二|2010年5月4日06时15分"_s, u"假|默认"_s, u"真|开会"_s,
            u"星期二,2010-05-04,06,15,0,默认,1,开会"_s);
        row("one piece fills the rule only, the rest keeps the layout", u"星期三"_s, u"真"_s, u"假"_s,
            u"星期三,2011-02-02,,,1,默认,0,"_s);
    }
    void modifyFill() {
        QFETCH(QString, time);
        QFETCH(QString, ring);
        QFETCH(QString, prompt);
        QFETCH(QStringList, shown);
        Editor e;
        QVERIFY(e.ready);
        e.clock.set(QDate(2011, 2, 2), QTime(9, 0));
        // An earlier alarm differing in every control: nothing of it may be carried over.
        e.openForEdit(3, u"星期六|2009年1月2日03时04分"_s, u"假|/old.mp3"_s, u"假|old"_s);
        e.openForEdit(7, time, ring, prompt);
        const QStringList actual{e.combo(u"组合框_提醒工作日"_s)->currentText(),
                                 e.date().toString(u"yyyy-MM-dd"_s),
                                 e.combo(u"组合框_时"_s)->currentText(),
                                 e.combo(u"组合框_分"_s)->currentText(),
                                 QString::number(e.check(u"选择框_铃声"_s)->isChecked()),
                                 e.path(),
                                 QString::number(e.check(u"选择框_弹窗"_s)->isChecked()),
                                 e.reminder()->toPlainText()};
        QCOMPARE(actual, shown);
        QCOMPARE(e.get<QPushButton>(u"按钮_添加"_s)->text(), u"修改"_s);
        QCOMPARE(e.window->mode(), AlarmEditorWindow::Mode::Modify);
        QCOMPARE(e.window->pendingAlarmNumber(), 7);
    }

    void modifyWritesTheSameRow() {
        Editor e;
        QVERIFY(e.ready);
        const qint64 other = e.insert(u"每天|2010年5月3日07时00分"_s, u"真|默认"_s, u"真|a"_s);
        const qint64 key = e.insert(u"星期一|2010年5月3日08时30分"_s, u"真|默认"_s, u"真|old"_s);
        e.openForEdit(key, u"星期一|2010年5月3日08时30分"_s, u"真|默认"_s, u"真|old"_s);
        e.reminder()->setPlainText(u"new"_s);
        e.combo(u"组合框_分"_s)->setEditText(u"45"_s);
        e.save();
        e.save(); // a second click writes the same row again
        const auto rows = e.rows();
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows.at(0).key, other);
        QCOMPARE(texts(rows.at(0)), (QStringList{u"每天|2010年5月3日07时00分"_s, u"真|默认"_s, u"真|a"_s}));
        QCOMPARE(rows.at(1).key, key);
        QCOMPARE(texts(rows.at(1)),
                 (QStringList{u"星期一|2010年5月3日08时45分"_s, u"真|默认"_s, u"真|new"_s}));
        QCOMPARE(e.dialogs.messages(), (QStringList{u"修改成功！"_s, u"修改成功！"_s}));
        QCOMPARE(e.lists.shown->topLevelItemCount(), 2);
        QCOMPARE(e.lists.shown->topLevelItem(1)->text(2), u"new"_s);
    }

    // Opening an alarm and pressing 修改 without a change writes back exactly what was stored.
    void modifyUnchangedKeepsTheTexts_data() {
        QTest::addColumn<QString>("due");
        QTest::newRow("late morning") << u"每天|2010年5月9日11时00分"_s;
        QTest::newRow("midnight on new year's day") << u"星期五|2010年1月1日00时00分"_s;
        QTest::newRow("just before midnight") << u"仅一次|2026年12月31日23时59分"_s;
        QTest::newRow("early morning, east of UTC the day before") << u"每天|2026年12月8日06时30分"_s;
    }
    void modifyUnchangedKeepsTheTexts() {
        QFETCH(QString, due);
        Editor e;
        QVERIFY(e.ready);
        const qint64 key = e.insert(due, u"真|/a.mp3"_s, u"假|x"_s);
        e.openForEdit(key, due, u"真|/a.mp3"_s, u"假|x"_s);
        e.save();
        QCOMPARE(texts(e.rows().at(0)), (QStringList{due, u"真|/a.mp3"_s, u"假|x"_s}));
    }

    void addAfterModifyShowsTheLayoutDefaults() {
        Editor e;
        QVERIFY(e.ready);
        e.openForEdit(4, u"星期五|2009年1月2日03时04分"_s, u"假|/a.mp3"_s, u"假|old"_s);
        e.window->openForAdd(); // while the editor is still open
        QVERIFY(e.window->isVisible());
        QCOMPARE(e.window->mode(), AlarmEditorWindow::Mode::Add);
        QCOMPARE(e.get<QPushButton>(u"按钮_添加"_s)->text(), u"添加"_s);
        QVERIFY(e.check(u"选择框_铃声"_s)->isChecked());
        QVERIFY(e.check(u"选择框_弹窗"_s)->isChecked());
        QCOMPARE(e.path(), u"默认"_s);
        QCOMPARE(e.reminder()->toPlainText(), QString());
        QCOMPARE(e.combo(u"组合框_提醒工作日"_s)->currentText(), u"每天"_s);
        QCOMPARE(e.date(), QDate(2010, 5, 3));
        e.save();
        QCOMPARE(e.rows().size(), size_t(1)); // inserted, not written over key 4
    }

    void refusedStatementKeepsTheEditorOpen_data() {
        QTest::addColumn<bool>("modify");
        QTest::addColumn<QString>("error");
        QTest::newRow("refused insert") << false << "写入信息失败，请检查！";
        QTest::newRow("refused update") << true << "修改信息失败，请检查！";
    }
    void refusedStatementKeepsTheEditorOpen() {
        QFETCH(bool, modify);
        QFETCH(QString, error);
        Editor e;
        QVERIFY(e.ready);
        const qint64 key = e.insert(u"每天|2010年5月3日08时30分"_s, u"真|默认"_s, u"真|old"_s);
        QVERIFY(e.db.executeScript(
            u"create trigger refuseInsert before insert on [配置] begin select raise(abort, 'refused'); end;"
            "create trigger refuseUpdate before update on [配置] begin select raise(abort, 'refused'); end"_s));
        e.lists.shown->addTopLevelItem(new QTreeWidgetItem(QStringList{u"stale"_s}));
        if (modify)
            e.openForEdit(key, u"每天|2010年5月3日08时30分"_s, u"真|默认"_s, u"真|old"_s);
        else
            e.window->openForAdd();
        e.reminder()->setPlainText(u"typed"_s);
        e.save();
        QCOMPARE(e.dialogs.errorMessages(), QStringList{error});
        QCOMPARE(e.dialogs.messages(), QStringList());
        QVERIFY(e.window->isVisible());
        QCOMPARE(e.reminder()->toPlainText(), u"typed"_s);
        QCOMPARE(e.lists.shown->topLevelItemCount(), 2); // not reloaded
        QCOMPARE(e.lists.shown->topLevelItem(1)->text(0), u"stale"_s);
        QCOMPARE(texts(e.rows().at(0)),
                 (QStringList{u"每天|2010年5月3日08时30分"_s, u"真|默认"_s, u"真|old"_s}));
    }

    // Saving over an alarm that was deleted meanwhile changes nothing and must not claim success.
    void modifyOfADeletedAlarmIsAFailure() {
        Editor e;
        QVERIFY(e.ready);
        const qint64 key = e.insert(u"每天|2010年5月3日08时30分"_s, u"真|默认"_s, u"真|old"_s);
        e.openForEdit(key, u"每天|2010年5月3日08时30分"_s, u"真|默认"_s, u"真|old"_s);
        QVERIFY(e.db.execute(u"delete from [配置]"_s));
        e.save();
        QCOMPARE(e.dialogs.errorMessages(), QStringList{u"修改信息失败，请检查！"_s});
        QCOMPARE(e.dialogs.messages(), QStringList());
        QVERIFY(e.rows().empty());
        QVERIFY(e.window->isVisible());
    }

    void chooseRingFile_data() {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("path");
        QTest::newRow("cancel leaves a typed path") << std::optional<QString>() << u"/typed.wav"_s;
        QTest::newRow("confirm puts the full path")
            << std::optional<QString>(u"/home/u/闹铃.mp3"_s) << u"/home/u/闹铃.mp3"_s;
    }
    void chooseRingFile() {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, path);
        Editor e;
        QVERIFY(e.ready);
        e.window->openForAdd();
        e.get<QLineEdit>(u"编辑框_铃声路径"_s)->setText(u"/typed.wav"_s);
        e.dialogs.answerOpenFile(answer);
        e.click(u"按钮_路径选择"_s);
        QCOMPARE(e.dialogs.log(), QStringList{u"openFile |"_s}); // no title and no filter of its own
        QCOMPARE(e.path(), path);
        e.save();
        QCOMPARE(e.rows().at(0).ringField, u"真|"_s + path);
    }

    void cancelClosesWithoutWriting() {
        Editor e;
        QVERIFY(e.ready);
        e.window->openForAdd();
        e.click(u"按钮_取消"_s);
        QVERIFY(!e.window->isVisible());
        QCOMPARE(e.rows().size(), size_t(0));
        QVERIFY(e.dialogs.shown().isEmpty());
    }

    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        const auto row = [](const char* name, const char* parent, QRect geometry) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(parent) << geometry;
        };
        row("分组框1", "AlarmEditorWindow", {8, 8, 360, 56});
        row("日期框1", "分组框1", {21, 28, 94, 24});
        row("组合框_时", "分组框1", {129, 30, 48, 20});
        row("组合框_分", "分组框1", {204, 30, 49, 20});
        row("组合框_提醒工作日", "分组框1", {278, 30, 76, 20});
        row("分组框2", "AlarmEditorWindow", {8, 72, 360, 56});
        row("选择框_铃声", "分组框2", {8, 24, 48, 16});
        row("编辑框_铃声路径", "分组框2", {64, 22, 248, 20});
        row("按钮_路径选择", "分组框2", {316, 21, 35, 21});
        row("分组框3", "AlarmEditorWindow", {8, 136, 360, 64});
        row("选择框_弹窗", "分组框3", {8, 24, 80, 24});
        row("编辑框_弹窗内容", "分组框3", {96, 11, 256, 48});
        row("按钮_添加", "AlarmEditorWindow", {216, 206, 64, 24});
        row("按钮_取消", "AlarmEditorWindow", {296, 206, 64, 24});
    }
    void layout() {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        Editor e;
        QWidget* w = e.get<QWidget>(name);
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->objectName(), parent);
        QCOMPARE(w->geometry(), geometry);
    }

    void windowAndItems() {
        Editor e;
        e.window->openForAdd();
        QVERIFY(e.window->isWindow() && !e.window->isModal());
        QCOMPARE(e.window->geometry(), QRect(50, 50, 380, 258));
        QStringList labels;
        for (QLabel* l : e.get<QGroupBox>(u"分组框1"_s)->findChildren<QLabel*>())
            labels << l->text() + u'@' + QString::number(l->x()) + u',' + QString::number(l->y());
        QCOMPARE(labels, (QStringList{u"时@179,33"_s, u"分@256,33"_s}));
        QVERIFY(e.get<QDateEdit>(u"日期框1"_s)->calendarPopup());
        QCOMPARE(e.reminder()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        const auto items = [&](const QString& name) {
            QComboBox* box = e.combo(name);
            QStringList all;
            for (int i = 0; i < box->count(); ++i)
                all << box->itemText(i);
            return box->isEditable() ? all.join(u',') : QString();
        };
        QCOMPARE(items(u"组合框_提醒工作日"_s), u"每天,星期一,星期二,星期三,星期四,星期五,星期六,星期日,"
                                                u"仅一次,工作日,节假日,农历每年,农历每月,节气,"
                                                u"周一至周五,周末,自选星期…,大小周,轮班…"_s);
        QCOMPARE(items(u"组合框_时"_s).split(u',').size(), 24);
        QVERIFY(items(u"组合框_时"_s).startsWith(u"00,01,"_s) && items(u"组合框_时"_s).endsWith(u",23"_s));
        QCOMPARE(items(u"组合框_分"_s).split(u',').size(), 60);
        QVERIFY(items(u"组合框_分"_s).startsWith(u"00,01,"_s) && items(u"组合框_分"_s).endsWith(u",59"_s));
    }
};

ORVANE_TEST(AlarmEditorTest)
#include "test_AlarmEditor.moc"
