// The "软件设置" page through its real widgets, offscreen: loading from the stores and writing each click.
#include "FakeServices.h"
#include "FakeWakeAlarm.h"
#include "TestRegistry.h"
#include "alarm/AlarmCodec.h"
#include "alarm/AlarmRinger.h"
#include "app/AlarmSettingsWindow.h"
#include "app/MainWindow.h"
#include "app/SettingsPage.h"
#include "app/TabControl.h"
#include "calendar/HolidayUpdate.h"
#include "calendar/Holidays.h"
#include "platform/IniProfile.h"
#include "resources/resources.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

#include <memory>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSection = u"系统配置"_s;
const QString kRunKey = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"_s;

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

// Puts a regular file where a folder should be, so nothing can be written into it.
bool blockFolder(const QString& folder) {
    QDir(folder).removeRecursively();
    QFile blocker(folder);
    return blocker.open(QIODevice::WriteOnly);
}

// The page alone on a plain widget of the tab control's size, with its stores in a temporary folder.
struct Fixture : FakeServices {
    std::unique_ptr<QWidget> widget;
    SettingsPage* page = nullptr;
    PageFetch fetch;

    // Built on first use.
    SettingsPage& settings() {
        if (page == nullptr) {
            widget = std::make_unique<QWidget>();
            widget->resize(373, 245);
            page = new SettingsPage(widget.get(), services(), fetch);
            widget->show();
        }
        return *page;
    }
    SettingsPage& loaded() {
        settings().LoadSettingsPage();
        if (AlarmSettingsWindow* window = page->alarmSettingsWindow())
            window->load();
        return *page;
    }
    // A control of the page, or of the alarm settings window, opened by its button when asked for.
    template <typename W> W* control(const QString& name) {
        if (!settings().parent()->findChild<W*>(name))
            page->OpenAlarmSettings();
        return settings().parent()->findChild<W*>(name);
    }
    QCheckBox* box(const QString& name) { return control<QCheckBox>(name); }
    QComboBox* combo() { return settings().parent()->findChild<QComboBox*>(u"组合框_响铃次数"_s); }
    QString sysIni() const { return paths.windowsDir + u"/sys.ini"_s; }
    QString stored(const QString& key) const { return IniProfile::read(sysIni(), kSection, key); }
    bool isStored(const QString& key) const { return IniProfile::exists(sysIni(), kSection, key); }
    // The user opens the list and clicks the item.
    void pick(int index) {
        QComboBox* c = combo();
        c->showPopup();
        QAbstractItemView* view = c->view();
        const QPoint at = view->visualRect(view->model()->index(index, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    // The user types into the box's edit field, one character at a time.
    void type(const QString& text) {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, combo()->lineEdit(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
};

// A holiday file with 2027's 元旦 and one make-up workday.
const QByteArray kHolidays2027 = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20270101\r\n"
                                 "DTEND;VALUE=DATE:20270104\r\nSUMMARY:元旦(休)\r\nEND:VEVENT\r\n"
                                 "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20270104\r\nSUMMARY:元旦(班)\r\n"
                                 "END:VEVENT\r\nEND:VCALENDAR\r\n";

} // namespace

class SettingsPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvaneInitResources(); }

    void captions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("autostart box") << u"选择框_开机运行"_s << u"开机自动运行"_s;
        QTest::newRow("hourly chime box") << u"选择框_整点报时"_s << u"整点报时"_s;
        QTest::newRow("auto delete box") << u"选择框_删除时钟"_s << u"闹钟事件过后自动删除"_s;
        QTest::newRow("password box") << u"选择框_密码修改"_s << u"需要密码才能修改或删除时钟"_s;
        QTest::newRow("ring count label") << u"标签1"_s << u"响铃次数"_s;
        QTest::newRow("holidays button") << u"按钮_更新节假日"_s << u"更新节假日"_s;
        QTest::newRow("alarm settings button") << u"按钮_闹钟设置"_s << u"闹钟设置"_s;
    }
    void captions() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        Fixture f;
        auto* control = f.settings().parent()->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->property("text").toString(), text);
    }

    // The ring-count items; every control sits below the tab row, above the start counter and inside the
    // page, none on another.
    void layout() {
        Fixture f;
        QComboBox* c = f.combo();
        QVERIFY(c->isEditable());
        QCOMPARE(c->currentIndex(), -1);
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        QCOMPARE(items, (QStringList{u"无限重复"_s, u"播放一次"_s, u"播放二次"_s}));
        QWidget* page = qobject_cast<QWidget*>(f.settings().parent());
        const QRect counter = f.settings().startCounterLabel()->geometry();
        QCOMPARE(counter, QRect(53, 213, 176, 16));
        QList<QRect> places;
        for (const char* name :
             {"选择框_开机运行", "选择框_整点报时", "选择框_删除时钟", "选择框_密码修改", "标签1",
              "组合框_响铃次数", "组合框_稍后提醒", "按钮_更新节假日", "按钮_闹钟设置"}) {
            const QRect place = page->findChild<QWidget*>(QString::fromUtf8(name))->geometry();
            QVERIFY2(place.top() >= 25 && place.bottom() < counter.top() && place.right() < 373, name);
            for (const QRect& other : places)
                QVERIFY2(!place.intersects(other), name);
            places << place;
        }
    }

    void firstStartShowsNothingChosenAndWritesNothing() {
        Fixture f;
        f.loaded();
        for (const char* name : {"选择框_开机运行", "选择框_整点报时", "选择框_删除时钟", "选择框_密码修改"})
            QVERIFY2(!f.box(QString::fromUtf8(name))->isChecked(), name);
        QCOMPARE(f.combo()->currentText(), u"播放一次"_s);
        for (const QString& folder : {f.paths.windowsDir, f.paths.programDir, f.paths.autostartDir})
            QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
        QVERIFY(f.dialogs.shown().isEmpty());
    }

    void toggleWritesItsKeyExactly_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("value");
        QTest::newRow("hourly chime ticked") << u"选择框_整点报时"_s << u"整点报时"_s << 1 << u"真"_s;
        QTest::newRow("hourly chime unticked again") << u"选择框_整点报时"_s << u"整点报时"_s << 2 << u"假"_s;
        QTest::newRow("auto delete ticked") << u"选择框_删除时钟"_s << u"删除"_s << 1 << u"真"_s;
        QTest::newRow("auto delete unticked again") << u"选择框_删除时钟"_s << u"删除"_s << 2 << u"假"_s;
        QTest::newRow("unmute for the ring ticked")
            << u"选择框_取消系统静音"_s << u"响铃时取消系统静音"_s << 1 << u"真"_s;
        QTest::newRow("wake the machine unticked again")
            << u"选择框_唤醒电脑"_s << u"唤醒电脑响铃"_s << 2 << u"假"_s;
    }
    void toggleWritesItsKeyExactly() {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(int, clicks);
        QFETCH(QString, value);
        Fixture f;
        f.loaded();
        for (int i = 0; i < clicks; ++i)
            f.box(name)->click();
        QCOMPARE(f.stored(key), value);
        for (const QString& other : {u"整点报时"_s, u"删除"_s, u"响铃次数"_s})
            QCOMPARE(f.isStored(other), other == key);
        QVERIFY(!QFile::exists(f.paths.programDir + u"/sys.ini"_s));
        f.box(name)->setChecked(clicks == 2); // the opposite of the stored state: the load must correct it
        f.loaded();
        QCOMPARE(f.box(name)->isChecked(), value == u"真"_s);
    }

    void autoStartTickedThenUnticked() {
        Fixture f;
        f.loaded();
        QCheckBox* box = f.box(u"选择框_开机运行"_s);
        const QString entry = f.paths.autostartDir + u"/qlzk.desktop"_s;
        box->click();
        QCOMPARE(f.registry.read(kRunKey, u"qlzk"_s), QCoreApplication::applicationFilePath());
        const QByteArray execLine = "\nExec=" + QCoreApplication::applicationFilePath().toUtf8() + '\n';
        QVERIFY(bytesOf(entry).contains(execLine));
        box->setChecked(false);
        f.loaded();
        QVERIFY(box->isChecked());
        box->click();
        QVERIFY(!QFile::exists(entry));
        f.loaded();
        QVERIFY(!box->isChecked());
        QVERIFY(!QFile::exists(f.sysIni()));
    }

    void pickWritesTheItemText_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("value");
        QTest::newRow("无限重复") << 0 << u"无限重复"_s;
        // Shown already while never chosen: picking it must still store it.
        QTest::newRow("播放一次 shown but not yet stored") << 1 << u"播放一次"_s;
        QTest::newRow("播放二次") << 2 << u"播放二次"_s;
    }
    void pickWritesTheItemText() {
        QFETCH(int, index);
        QFETCH(QString, value);
        Fixture f;
        f.loaded();
        QVERIFY(!QFile::exists(f.sysIni()));
        f.pick(index);
        QCOMPARE(f.stored(u"响铃次数"_s), value);
        QCOMPARE(f.combo()->currentText(), value);
        QVERIFY(!f.isStored(u"整点报时"_s) && !f.isStored(u"删除"_s));
    }

    void typedTextIsNotWritten_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter");
        QTest::newRow("typed count left in the box") << u"播放三次"_s << false;
        QTest::newRow("typed count confirmed with Enter") << u"播放三次"_s << true;
        QTest::newRow("box emptied and Enter") << u""_s << true;
    }
    void typedTextIsNotWritten() {
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        Fixture f;
        f.loaded();
        f.combo()->lineEdit()->clear();
        f.type(typed);
        QCOMPARE(f.combo()->currentText(), typed);
        if (enter)
            QTest::keyClick(f.combo()->lineEdit(), Qt::Key_Return);
        f.combo()->clearFocus();
        QVERIFY(!QFile::exists(f.sysIni()));
        QCOMPARE(f.combo()->count(), 3); // typed text never becomes an item to pick
    }

    // The words the page offers are the ones every reader understands: an item picked on the page is the
    // count the ringer plays and the minutes a put-off ring waits. Loading shows the reader's value and
    // writes nothing.
    void pageWordsAreWhatTheReadersRead_data() {
        QTest::addColumn<QString>("stored"); // what the file holds before; <absent>: no key
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("pick");
        QTest::addColumn<QString>("played"); // the ringer's call after the pick
        QTest::newRow("never chosen shows 播放一次; 无限重复 loops")
            << u"<absent>"_s << u"播放一次"_s << 0 << u"-1"_s;
        QTest::newRow("播放二次 shown; 播放一次 plays once") << u"播放二次"_s << u"播放二次"_s << 1 << u"1"_s;
        QTest::newRow("a word of no choice shows what it rings: once; 播放二次 twice")
            << u"播放三次"_s << u"播放一次"_s << 2 << u"2"_s;
    }
    void pageWordsAreWhatTheReadersRead() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(int, pick);
        QFETCH(QString, played);
        Fixture f;
        if (stored != u"<absent>")
            QVERIFY(IniProfile::write(f.sysIni(), kSection, u"响铃次数"_s, stored));
        const QByteArray before = bytesOf(f.sysIni());
        if (stored == u"播放三次")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"unknown ring count"_s));
        f.loaded();
        QCOMPARE(f.combo()->currentText(), shown);
        QCOMPARE(bytesOf(f.sysIni()), before); // loading is no click: nothing written back
        f.pick(pick);
        RecordingSoundPlayer sound;
        AlarmRinger ringer(sound, f.paths, f.clock, f.FakeServices::settings, {});
        ringer.enqueue({decodeAlarm(1, {u"每天|2026年12月7日08时30分"_s, u"真|/a.mp3"_s, u"假|"_s}), 0, 0});
        QCOMPARE(sound.calls().value(0), u"play /a.mp3 "_s + played);
    }

    // The boxes of a few numbers (and the volume slider): stored as a number; anything else shows as the
    // value it counts as. A pick writes the number.
    void numberChoices_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored"); // empty: never chosen
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("pick"); // the item, or the slider's value
        QTest::addColumn<QString>("written");
        const QString snooze = u"组合框_稍后提醒"_s, snoozeKey = u"稍后提醒分钟"_s;
        QTest::newRow("稍后提醒 never chosen shows 5, picking 15 stores 15")
            << snooze << snoozeKey << u""_s << u"5分钟"_s << 2 << u"15"_s;
        QTest::newRow("稍后提醒 10 shown as stored, picking 5 stores 5")
            << snooze << snoozeKey << u"10"_s << u"10分钟"_s << 0 << u"5"_s;
        QTest::newRow("稍后提醒 a number that is no item shows as 5")
            << snooze << snoozeKey << u"7"_s << u"5分钟"_s << 1 << u"10"_s;
        QTest::newRow("渐强响铃 never chosen is off; 30秒 stores 30")
            << u"组合框_渐强响铃"_s << u"渐强响铃"_s << u""_s << u"关闭"_s << 2 << u"30"_s;
        QTest::newRow("提前提醒 10 shown; 30分钟 stores 30")
            << u"组合框_提前提醒"_s << u"提前提醒"_s << u"10"_s << u"10分钟"_s << 3 << u"30"_s;
        QTest::newRow("迟到多久仍响铃 60 is 1小时; 不限 stores 0")
            << u"组合框_迟到多久仍响铃"_s << u"迟到多久仍响铃"_s << u"60"_s << u"1小时"_s << 0 << u"0"_s;
        QTest::newRow("闹钟音量 never chosen is full; 50 stores 50")
            << u"滑块_闹钟音量"_s << u"闹钟音量"_s << u""_s << u"100%"_s << 50 << u"50"_s;
        QTest::newRow("闹钟音量 below the least shows the least")
            << u"滑块_闹钟音量"_s << u"闹钟音量"_s << u"0"_s << u"10%"_s << 80 << u"80"_s;
    }
    void numberChoices() {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(int, pick);
        QFETCH(QString, written);
        Fixture f;
        if (!stored.isEmpty())
            QVERIFY(IniProfile::write(f.sysIni(), kSection, key, stored));
        const QByteArray before = bytesOf(f.sysIni());
        f.loaded();
        auto* box = f.control<QComboBox>(name);
        auto* slider = f.control<QSlider>(name);
        QVERIFY(box || slider);
        QCOMPARE(box ? box->currentText() : f.control<QLabel>(u"标签_音量值"_s)->text(), shown);
        QCOMPARE(bytesOf(f.sysIni()), before); // loading is no change: nothing written back
        if (box) {
            box->setCurrentIndex(pick);
            emit box->activated(pick);
        } else {
            slider->setValue(pick);
        }
        QCOMPARE(f.stored(key), written);
    }

    // Beside "唤醒电脑响铃", why the machine cannot be woken, as soon as that is known.
    void wakeSupportIsSaid() {
        Fixture f;
        FakeWakeAlarm wake;
        Services services = f.services();
        services.wakeAlarm = &wake;
        QWidget widget;
        SettingsPage page(&widget, services);
        page.OpenAlarmSettings();
        auto* reason = widget.findChild<QLabel*>(u"标签_唤醒说明"_s);
        QCOMPARE(reason->text(), QString());
        wake.setSupport(WakeSupport::NotPermitted);
        QCOMPARE(reason->text(), u"系统不允许唤醒电脑"_s);
        wake.setSupport(WakeSupport::NoRtc);
        QCOMPARE(reason->text(), u"本机没有可唤醒电脑的时钟"_s);
    }

    void passwordRecordPresenceTicks_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("record present") << u"SOFTWARE\\qlzk"_s << u"pz"_s << u"abc|123"_s << true;
        QTest::newRow("empty record still present") << u"SOFTWARE\\qlzk"_s << u"pz"_s << u""_s << true;
        QTest::newRow("other value of the key") << u"SOFTWARE\\qlzk"_s << u"px"_s << u"abc"_s << false;
        QTest::newRow("pz under another key") << u"SOFTWARE\\other"_s << u"pz"_s << u"abc"_s << false;
    }
    void passwordRecordPresenceTicks() {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(bool, ticked);
        Fixture f;
        QVERIFY(f.registry.write(key, name, value));
        f.loaded();
        QCOMPARE(f.settings().passwordBox()->isChecked(), ticked);
    }

    void failedWriteIsSilentAndLoadShowsTheTruth_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("autostartFolder"); // else the Windows directory is blocked
        QTest::newRow("hourly chime") << u"选择框_整点报时"_s << false;
        QTest::newRow("auto delete") << u"选择框_删除时钟"_s << false;
        QTest::newRow("autostart") << u"选择框_开机运行"_s << true;
    }
    void failedWriteIsSilentAndLoadShowsTheTruth() {
        QFETCH(QString, name);
        QFETCH(bool, autostartFolder);
        Fixture f;
        QVERIFY(blockFolder(autostartFolder ? f.paths.autostartDir : f.paths.windowsDir));
        f.loaded();
        f.box(name)->click();
        QVERIFY(f.box(name)->isChecked()); // the user's state stays
        QVERIFY(f.dialogs.shown().isEmpty());
        f.loaded();
        QVERIFY(!f.box(name)->isChecked());
    }

    void failedRingCountWriteIsSilent() {
        Fixture f;
        QVERIFY(blockFolder(f.paths.windowsDir));
        f.loaded();
        f.pick(2);
        QCOMPARE(f.combo()->currentText(), u"播放二次"_s);
        QVERIFY(f.dialogs.shown().isEmpty());
        f.loaded();
        QCOMPARE(f.combo()->currentText(), u"播放一次"_s);
    }

    void diaryFileIsAnotherFile() {
        Fixture f;
        const QString diaryIni = f.paths.programDir + u"/sys.ini"_s;
        QVERIFY(QDir().mkpath(f.paths.programDir));
        QVERIFY(IniProfile::write(diaryIni, kSection, u"整点报时"_s, u"真"_s));
        QVERIFY(IniProfile::write(diaryIni, kSection, u"响铃次数"_s, u"播放二次"_s));
        const QByteArray before = bytesOf(diaryIni);
        f.loaded();
        QVERIFY(!f.box(u"选择框_整点报时"_s)->isChecked());
        QCOMPARE(f.combo()->currentText(), u"播放一次"_s);
        f.box(u"选择框_删除时钟"_s)->click();
        QCOMPARE(bytesOf(diaryIni), before);
        QCOMPARE(f.stored(u"删除"_s), u"真"_s);
    }

    // "更新节假日" from a picked file, or from the address in sys.ini when one is set.
    void updateHolidays_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("text"); // the picked file's or the download's bytes
        QTest::addColumn<QString>("message");
        QTest::newRow("picked file adds 2027") << QString() << kHolidays2027 << u"节假日已更新：2027年"_s;
        QTest::newRow("picked file malformed: nothing changes")
            << QString() << kHolidays2027.mid(17) << u"节假日文件格式错误（第 1 行）"_s;
        QTest::newRow("downloaded file adds 2027")
            << u"http://example.test/h.ics"_s << kHolidays2027 << u"节假日已更新：2027年"_s;
        QTest::newRow("nothing downloaded")
            << u"http://example.test/h.ics"_s << QByteArray() << u"无法下载节假日文件"_s;
    }
    void updateHolidays() {
        QFETCH(QString, address);
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        Fixture f;
        QByteArray fetched;
        f.fetch = [&](const PageRequest& request, PageCallback done) {
            fetched = request.url;
            done(text);
        };
        if (address.isEmpty()) {
            const QString picked = f.dir.path() + u"/picked.ics"_s;
            QFile file(picked);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
            file.close();
            f.dialogs.answerOpenFile(picked);
        } else {
            QVERIFY(IniProfile::write(f.sysIni(), kSection, u"节假日地址"_s, address));
            f.FakeServices::settings.reload();
        }
        f.loaded().parent()->findChild<QPushButton*>(u"按钮_更新节假日"_s)->click();
        const bool good = message.startsWith(u"节假日已更新"_s);
        const bool in2027 = holidayTable().covers(2027);
        setHolidayTable(HolidayTable::carried()); // before any check can end the test
        QCOMPARE(f.dialogs.messages(), QStringList{message});
        QCOMPARE(fetched, address.toUtf8());
        QCOMPARE(in2027, good);
        QCOMPARE(bytesOf(f.paths.holidaysFile()), good ? text : "<absent>"_ba);
        QCOMPARE(f.dialogs.unusedAnswers(), 0);
    }

    // The stored file is put in force at start; a damaged one is ignored.
    void storedHolidaysAtStart() {
        Fixture f;
        const auto store = [&f](const QByteArray& text) {
            QFile file(f.paths.holidaysFile());
            return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
        };
        QVERIFY(store(kHolidays2027.chopped(20)));
        loadStoredHolidays(f.paths.holidaysFile());
        QVERIFY(!holidayTable().covers(2027));
        QVERIFY(store(kHolidays2027));
        loadStoredHolidays(f.paths.holidaysFile());
        const bool in2027 = holidayTable().covers(2027) && holidayTable().covers(2026);
        setHolidayTable(HolidayTable::carried());
        QVERIFY(in2027);
    }

    // Switching to the page re-reads the stores, so changes made meanwhile show up.
    void switchingToThePageLoadsIt() {
        Fixture f;
        MainWindow w(f.services());
        QVERIFY(IniProfile::write(f.sysIni(), kSection, u"整点报时"_s, u"真"_s));
        w.tabs()->setCurrentIndex(2); // built at its first opening, then loaded
        auto* chime = w.findChild<QCheckBox*>(u"选择框_整点报时"_s);
        auto* autostart = w.findChild<QCheckBox*>(u"选择框_开机运行"_s);
        QVERIFY(chime && autostart);
        QVERIFY(chime->isChecked());
        autostart->click();
        autostart->click();
        QVERIFY(IniProfile::write(f.sysIni(), kSection, u"整点报时"_s, u"假"_s));
        autostart->setChecked(true);
        w.tabs()->setCurrentIndex(0);
        w.tabs()->setCurrentIndex(2);
        QVERIFY(!chime->isChecked());
        QVERIFY(!autostart->isChecked());
        QVERIFY(!f.registry.exists(kRunKey, u"qlzk"_s));
    }
};

ORVANE_TEST(SettingsPageTest)
#include "test_SettingsPage.moc"
