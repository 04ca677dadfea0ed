// The main window through its real widgets, offscreen: layout, start-up, day change, copy and tray.
#include "FakeLogind.h"
#include "FakeServices.h"
#include "FakeWakeAlarm.h"
#include "PrivateBus.h"
#include "RecordingSoundPlayer.h"
#include "TestRegistry.h"
#include "alarm/AlarmEditorWindow.h"
#include "alarm/AlarmEngine.h"
#include "alarm/AlarmListCommands.h"
#include "alarm/AlarmModel.h"
#include "alarm/AlarmPage.h"
#include "alarm/ReminderWindow.h"
#include "app/AppDatabase.h"
#include "app/DatabaseWait.h"
#include "app/MainWindow.h"
#include "app/SecondTicker.h"
#include "app/TabControl.h"
#include "net/BrowserLayout.h"
#include "platform/DBusMenuAdaptor.h"
#include "platform/IniProfile.h"
#include "platform/KernelClockEvents.h"
#include "platform/StatusNotifierItem.h"
#include "platform/SystemSettings.h"
#include "protect/PasswordToggle.h"
#include "protect/PasswordWindow.h"
#include "resources/resources.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMutex>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
using namespace orvane::test;

namespace {

struct Fixture : FakeServices {
    RecordingSoundPlayer sound;
    std::unique_ptr<MainWindow> window() { return std::make_unique<MainWindow>(services(&sound)); }
    QString dbFile() const { return paths.windowsFile(QStringLiteral("dbtime.mdb")); }
};

// The panel's side of the StatusNotifier protocol: it lists the items registered with it (from the
// panel's thread).
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)

public:
    bool hostRegistered() const { return true; }
    QStringList registered() const {
        const QMutexLocker lock(&mutex_);
        return items_;
    }

public slots:
    void RegisterStatusNotifierItem(const QString& service) {
        const QMutexLocker lock(&mutex_);
        items_.append(service);
    }

private:
    mutable QMutex mutex_;
    QStringList items_;
};

// Counts the requests to end the program that Qt posts (quit on the last window closed posts one).
struct QuitWatch : QObject {
    int count = 0;
    QuitWatch() { qApp->installEventFilter(this); }
    ~QuitWatch() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == qApp && event->type() == QEvent::Quit) {
            ++count;
            return true; // the test program itself must go on
        }
        return false;
    }
};

QString textOf(QWidget& w, const char* name) {
    auto* label = w.findChild<QLabel*>(QString::fromUtf8(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QString::fromUtf8(name));
}

// A started window showing one alarm (key 1, reminder "开会").
std::unique_ptr<MainWindow> windowWithOneAlarm(Fixture& f) {
    auto w = f.window();
    if (!w->StartUp() ||
        !w->database().execute(u"insert into [配置] ([提醒时间],[铃声位置],[提示文本]) "
                               "values ('每天|2026年12月7日08时30分','真|默认','真|开会')"_s))
        return nullptr;
    w->engine().reload();
    w->show();
    return w;
}

void doubleClickRow(MainWindow& w, int row) {
    QTreeWidget* list = w.alarmPage()->lists().shown;
    const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Start-up as the program runs it: the steps, then the ones that follow the first showing.
bool startUp(MainWindow& w) {
    if (!w.StartUp())
        return false;
    w.finishStartUp();
    return true;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvaneInitResources(); }

    // tab: the page opened first (0: the alarm page, built with the window; the others are built when
    // first opened).
    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<int>("tab");
        QTest::newRow("group box 时间") << "分组框1" << QRect(3, 4, 142, 152) << 0;
        QTest::newRow("clock face") << "画板_时钟" << QRect(9, 21, 128, 128) << 0;
        QTest::newRow("time group") << "分组框2" << QRect(3, 158, 143, 32) << 0;
        QTest::newRow("weekday group") << "分组框3" << QRect(3, 190, 143, 32) << 0;
        QTest::newRow("lunar group") << "分组框4" << QRect(3, 223, 143, 32) << 0;
        QTest::newRow("time label in its group") << "透明标签_当前时间" << QRect(6, 10, 132, 16) << 0;
        QTest::newRow("lunar label in its group") << "透明标签_农历" << QRect(6, 10, 132, 16) << 0;
        QTest::newRow("tab control") << "高级选择夹1" << QRect(149, 9, 373, 245) << 0;
        QTest::newRow("alarm list") << "超级列表框_我的闹钟" << QRect(3, 26, 367, 189) << 0;
        QTest::newRow("挂机") << "按钮18" << QRect(20, 219, 64, 22) << 0;
        QTest::newRow("添加闹钟") << "按钮19" << QRect(111, 219, 64, 22) << 0;
        QTest::newRow("删除闹钟") << "按钮17" << QRect(202, 219, 64, 22) << 0;
        QTest::newRow("天气预报") << "按钮13" << QRect(294, 219, 64, 22) << 0;
        QTest::newRow("diary list") << "超级列表框_记事本" << QRect(3, 26, 367, 215) << 1;
        QTest::newRow("start counter") << "标签2" << QRect(53, 213, 176, 16) << 2;
        QTest::newRow("about aims") << "标签4" << QRect(11, 30, 336, 45) << 5;
        QTest::newRow("share text box") << "编辑框1" << QRect(11, 178, 344, 24) << 5;
        QTest::newRow("copy button") << "按钮22" << QRect(284, 208, 71, 27) << 5;
        QTest::newRow("hyperlink") << "超级链接框1" << QRect(108, 77, 96, 24) << 5;
    }
    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(int, tab);
        Fixture f;
        auto w = f.window();
        w->tabs()->setCurrentIndex(tab);
        QWidget* control = w->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->geometry(), place);
    }

    // Pages built at their first opening on the shown window appear with their controls, while the
    // lists kept out of sight stay hidden; opening a page again builds nothing twice.
    void pagesBuiltWhenFirstOpenedShowTheirControls_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("hidden");
        QTest::newRow("日记本") << 1 << u"超级列表框_记事本"_s << u"超级列表框_编号日记本"_s;
        QTest::newRow("软件设置") << 2 << u"选择框_密码修改"_s << QString();
        QTest::newRow("关于") << 5 << u"按钮22"_s << QString();
    }
    void pagesBuiltWhenFirstOpenedShowTheirControls() {
        QFETCH(int, tab);
        QFETCH(QString, shown);
        QFETCH(QString, hidden);
        Fixture f;
        auto w = f.window();
        QVERIFY(startUp(*w));
        w->show();
        QVERIFY(!w->findChild<QWidget*>(shown));
        const int before = int(w->findChildren<QWidget*>().size());
        w->tabs()->setCurrentIndex(tab);
        auto* control = w->findChild<QWidget*>(shown);
        QVERIFY(control && control->isVisible());
        if (!hidden.isEmpty()) {
            auto* list = w->findChild<QWidget*>(hidden);
            QVERIFY(list && list->isHidden());
        }
        const int built = int(w->findChildren<QWidget*>().size());
        QVERIFY(built > before);
        w->tabs()->setCurrentIndex(0);
        w->tabs()->setCurrentIndex(tab);
        QCOMPARE(int(w->findChildren<QWidget*>().size()), built);
    }

    // Every caption of the started window, page by page and in the alarm settings window, fits its control
    // in the skin's font and lies inside its page: a label laid out for another font loses its last letters
    // ("邮箱或QQ：" showed as "邮箱或QQ"), a share box at the page's edge sat over its border. In the lists
    // every title and every cell of the longest texts fits its column, and every column fits the list without
    // scrolling sideways
    // ("农历每年" and "农历每月" both showed as "农历").
    void textsFitTheirControls() {
        Fixture f;
        auto w = f.window();
        QVERIFY(startUp(*w));
        for (const char* rule : {"农历每年", "农历每月", "节假日", "星期三"})
            QVERIFY(w->database().execute(
                u"insert into [配置] ([提醒时间],[铃声位置],[提示文本]) values (?,'真|默认','真|开会')"_s,
                {QVariant(QString::fromUtf8(rule) + u"|2026年12月28日23时58分"_s)}));
        w->engine().reload();
        w->show();
        QStringList cut;
        const auto fits = [&](QWidget* control, int needed, int room, const QString& what) {
            if (control->isVisible() && needed > room)
                cut << control->objectName() + what + u' ' + QString::number(needed) + u'>' +
                           QString::number(room);
        };
        // The pages, then the window of alarm settings opened from its page.
        QList<QPair<QWidget*, QRect>> pages;
        for (int tab = 0; tab < w->tabs()->count(); ++tab)
            pages.append({w->tabs()->page(tab),
                          w->tabs()->findChild<QFrame*>(u"tabPane"_s)->geometry().adjusted(1, 1, -1, -1)});
        pages.append({nullptr, {}});
        for (int tab = 0; tab < pages.size(); ++tab) {
            auto [page, inside] = pages.at(tab);
            if (page != nullptr) {
                w->tabs()->setCurrentIndex(tab);
            } else {
                w->findChild<QPushButton*>(u"按钮_闹钟设置"_s)->click();
                page = w->findChild<QWidget*>(u"AlarmSettingsWindow"_s);
                inside = page->rect();
            }
            for (QWidget* control : page->findChildren<QWidget*>()) {
                if (control->parentWidget() == page && control->isVisible() &&
                    !inside.contains(control->geometry()))
                    cut << control->objectName() + u" outside its page"_s;
                if (auto* label = qobject_cast<QLabel*>(control); label && !label->wordWrap())
                    fits(control, label->sizeHint().width(), control->width(), {});
                else if (auto* box = qobject_cast<QCheckBox*>(control))
                    fits(control, box->sizeHint().width(), control->width(), {});
                else if (auto* button = qobject_cast<QPushButton*>(control))
                    fits(control, button->fontMetrics().horizontalAdvance(button->text()) + 4,
                         control->width(), {});
                else if (auto* edit = qobject_cast<QLineEdit*>(control); edit && edit->parentWidget() == page)
                    fits(control, edit->fontMetrics().horizontalAdvance(edit->text()) + 8, control->width(),
                         {});
                else if (auto* list = qobject_cast<QTreeWidget*>(control)) {
                    int total = 0;
                    for (int c = 0; c < list->columnCount(); ++c) {
                        const QString column = u" column "_s + QString::number(c);
                        // The reminder is the user's own text of any length.
                        if (list->objectName() != u"超级列表框_我的闹钟" || c != 2)
                            for (int r = 0; r < list->topLevelItemCount(); ++r)
                                fits(control, list->sizeHintForIndex(list->model()->index(r, c)).width(),
                                     list->columnWidth(c), column);
                        fits(control, list->header()->sectionSizeHint(c), list->columnWidth(c),
                             column + u" title"_s);
                        total += list->columnWidth(c);
                    }
                    fits(control, total, list->viewport()->width(), u" columns"_s);
                }
            }
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u", ")));
    }

    void windowAndPages() {
        Fixture f;
        auto w = f.window();
        QCOMPARE(w->size(), mainWindowNormalSize);
        QStringList titles;
        for (int i = 0; i < w->tabs()->count(); ++i)
            titles << w->tabs()->tabBar()->tabText(i);
        QCOMPARE(titles, (QStringList{u"我的闹钟"_s, u"日记本"_s, u"软件设置"_s, u"扩展功能"_s, u"留言"_s,
                                      u"关于"_s}));
        // The hidden lists exist, but as texts only: nothing of them is ever drawn.
        for (const char* hidden : {"超级列表框_是否提醒", "超级列表框_编号"}) {
            QVERIFY(w->findChild<HiddenList*>(QString::fromUtf8(hidden)));
            QVERIFY(!w->findChild<QWidget*>(QString::fromUtf8(hidden)));
        }
    }

    void firstAndSecondStart() {
        Fixture f;
        {
            auto w = f.window();
            QVERIFY(startUp(*w));
            QVERIFY(f.dialogs.messages().isEmpty());
            w->tabs()->setCurrentIndex(2); // the settings page, built after the start was counted
            QCOMPARE(textOf(*w, "标签2"), QStringLiteral("当前已使用：1次"));
            QCOMPARE(textOf(*w, "透明标签_当前时间"), QStringLiteral("2026/12/7 08:05:09"));
            QCOMPARE(textOf(*w, "透明标签_当前星期"), QStringLiteral("你好,今天是星期一"));
            QCOMPARE(textOf(*w, "透明标签_农历"), QStringLiteral("丙午年(马)十月廿九 "));
            QCOMPARE(w->todayWeekdayChar(), QStringLiteral("一"));
            QVERIFY(QFile::exists(f.paths.systemFile(QStringLiteral("yy.she"))));
            QVERIFY(!qApp->styleSheet().isEmpty());
            QCOMPARE(w->findChild<QTreeWidget*>(QStringLiteral("超级列表框_我的闹钟"))->topLevelItemCount(),
                     0);
            QVERIFY(w->database().execute(
                QStringLiteral("insert into [配置] ([提醒时间],[铃声位置],[提示文本]) values (?,?,?)"),
                {QStringLiteral("每天|2026年12月7日08时30分"), QStringLiteral("真|默认"),
                 QStringLiteral("真|开会")}));
        }
        // The skin is written again at every start, over a changed copy.
        QFile skin(f.paths.systemFile(QStringLiteral("yy.she")));
        QVERIFY(skin.open(QIODevice::WriteOnly | QIODevice::Truncate));
        skin.write("/* changed */");
        skin.close();

        auto w = f.window();
        QVERIFY(w->StartUp());
        w->tabs()->setCurrentIndex(2); // the settings page, built before the start is counted
        w->finishStartUp();
        QCOMPARE(textOf(*w, "标签2"), QStringLiteral("当前已使用：2次"));
        QVERIFY(bytesOf(f.paths.systemFile(QStringLiteral("yy.she"))) != "/* changed */");
        auto* list = w->findChild<QTreeWidget*>(QStringLiteral("超级列表框_我的闹钟"));
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("开会"));
    }

    void skinThatCannotBeWrittenEndsStartUp() {
        Fixture f;
        // A file where the System directory should be: the skin can neither be written nor found.
        QDir(f.paths.systemDir).removeRecursively();
        QFile blocker(f.paths.systemDir);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        auto w = f.window();
        QVERIFY(!w->StartUp());
        QCOMPARE(f.dialogs.messages(), QStringList{u"皮肤文件丢失，请检查"_s});
        QCOMPARE(f.dialogs.messageCaptions(), QStringList{u"信息："_s});
        QVERIFY(!QFile::exists(f.dbFile())); // stopped before the database step
    }

    void foreignDatabaseEndsStartUpUntouched() {
        Fixture f;
        QFile db(f.dbFile());
        QVERIFY(db.open(QIODevice::WriteOnly));
        db.write("not a database at all, but the user's file");
        db.close();
        const QByteArray before = bytesOf(f.dbFile());
        auto w = f.window();
        QVERIFY(!w->StartUp());
        QCOMPARE(f.dialogs.messages(), QStringList{u"数据库打开识别，请检查！"_s});
        QCOMPARE(bytesOf(f.dbFile()), before);
    }

    // Another program holds the database at log-on (a backup, a database browser): the window shows and
    // says so, after a minute a message tells why, and once the file is free the alarm of the minute after
    // the start rings. Only a file that is no database is called one.
    void busyDatabaseAtTheStartIsWaitedFor() {
        Fixture f;
        f.clock.set(QDate(2026, 12, 7), QTime(8, 28, 45));
        QVERIFY(ensureDatabaseFile(f.dbFile()));
        Database other;
        QVERIFY(other.open(f.dbFile()));
        QVERIFY(other.execute(u"insert into [配置] ([提醒时间],[铃声位置],[提示文本]) "
                              "values ('每天|2026年12月7日08时30分','真|默认','真|开会')"_s));
        QVERIFY(other.execute(u"BEGIN EXCLUSIVE"_s));
        auto w = f.window();
        QVERIFY(w->StartUp());
        w->show();
        auto* note = w->findChild<QLabel*>(u"标签_数据库等待"_s);
        QVERIFY(note && note->isVisible());
        QVERIFY(f.dialogs.messages().isEmpty());
        auto* wait = w->findChild<DatabaseWait*>();
        QVERIFY(wait);
        f.clock.advance(61);
        QVERIFY(!wait->tryOpen());
        QCOMPARE(f.dialogs.messages(), QStringList{DatabaseWait::messageText()});
        QVERIFY(other.execute(u"COMMIT"_s));
        QVERIFY(wait->tryOpen());
        QTRY_VERIFY(!w->findChild<QLabel*>(u"标签_数据库等待"_s));
        f.clock.set(QDate(2026, 12, 7), QTime(8, 30, 0));
        w->onTick();
        QVERIFY(w->reminder());
        QCOMPARE(w->reminder()->findChild<QLabel*>(u"标签2"_s)->text(), u"开会"_s);
        QCOMPARE(f.dialogs.messages().size(), 1);
    }

    void dayTextsFollowTheDate() {
        Fixture f;
        f.clock.set(QDate(2026, 12, 13), QTime(23, 59, 59)); // a Sunday
        auto w = f.window();
        QVERIFY(startUp(*w));
        QCOMPARE(textOf(*w, "透明标签_当前星期"), QStringLiteral("你好,今天是星期日"));
        const QString lunarBefore = textOf(*w, "透明标签_农历");
        f.clock.advance(1);
        w->onTick();
        QCOMPARE(textOf(*w, "透明标签_当前星期"), QStringLiteral("你好,今天是星期一"));
        QCOMPARE(w->todayWeekdayChar(), QStringLiteral("一"));
        QVERIFY(textOf(*w, "透明标签_农历") != lunarBefore);
        QCOMPARE(textOf(*w, "透明标签_当前时间"), QStringLiteral("2026/12/14 00:00:00"));
        // The label's tooltip names the new day too.
        auto* lunar = w->findChild<QLabel*>(QStringLiteral("透明标签_农历"));
        QCOMPARE(lunar->toolTip(), QString());
        f.clock.set(QDate(2026, 12, 22), QTime(0, 0, 1));
        w->onTick();
        QCOMPARE(lunar->toolTip(), QStringLiteral("冬至"));
    }

    // Wednesday start, running into Thursday: a weekday rule rings on its own weekday only, counted
    // from its stored date (a 星期三 alarm stored for a Thursday first rings the Wednesday after).
    void weekdayRuleSeesTheNewDay() {
        Fixture f;
        f.clock.set(QDate(2026, 12, 9), QTime(23, 58, 30));
        {
            auto w = f.window();
            QVERIFY(startUp(*w));
            for (const char* rule : {"星期三", "星期四"})
                QVERIFY(w->database().execute(
                    QStringLiteral("insert into [配置] ([提醒时间],[铃声位置],[提示文本]) values (?,?,?)"),
                    {QString(QString::fromUtf8(rule) + QStringLiteral("|2026年12月10日00时01分")),
                     QString(QStringLiteral("真|/") + QString::fromUtf8(rule)), QStringLiteral("假|")}));
        }
        auto w = f.window();
        QVERIFY(startUp(*w));
        for (int i = 0; i < 150; ++i) {
            f.clock.advance(1);
            w->onTick();
        }
        QCOMPARE(f.sound.calls(), QStringList{QStringLiteral("play /星期四 1")});
    }

    // The whole road of one alarm: added in the editor for the next minute, fired at its second 0.
    void alarmAddedInTheEditorFiresAtSecondZero() {
        Fixture f;
        f.clock.set(QDate(2026, 12, 7), QTime(8, 29, 40));
        auto w = f.window();
        QVERIFY(startUp(*w));
        w->findChild<QPushButton*>(QStringLiteral("按钮19"))->click();
        auto* editor = w->findChild<QWidget*>(QStringLiteral("AlarmEditorWindow"));
        QVERIFY(editor && editor->isVisible());
        editor->findChild<QPlainTextEdit*>(QStringLiteral("编辑框_弹窗内容"))
            ->setPlainText(QStringLiteral("开会"));
        editor->findChild<QPushButton*>(QStringLiteral("按钮_添加"))->click();
        QCOMPARE(f.dialogs.messages(), QStringList{QStringLiteral("添加成功！")});
        auto* list = w->findChild<QTreeWidget*>(QStringLiteral("超级列表框_我的闹钟"));
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("2026年12月7日08时30分"));

        for (int i = 0; i < 20; ++i) {
            f.clock.advance(1);
            w->onTick();
        }
        QCOMPARE(f.sound.calls(),
                 QStringList{QStringLiteral("play ") + f.paths.windowsFile(QStringLiteral("1.mp3")) +
                             QStringLiteral(" 1")});
        ReminderWindow* reminder = w->reminder();
        QVERIFY(reminder && reminder->isVisible());
        QCOMPARE(reminder->findChild<QLabel*>(QStringLiteral("标签2"))->text(), QStringLiteral("开会"));
        reminder->findChild<QPushButton*>(QStringLiteral("按钮2"))->click();
        QCOMPARE(f.sound.calls().last(), QStringLiteral("stop"));
    }

    // At a full hour with the chime on, the alarm due then still fires first and the announcement starts.
    void chimeAndAlarmShareTheFullHour() {
        Fixture f;
        f.clock.set(QDate(2026, 12, 7), QTime(8, 59, 50));
        f.settings.setHourlyChime(true);
        auto w = f.window();
        QVERIFY(startUp(*w));
        QVERIFY(w->database().execute(
            QStringLiteral("insert into [配置] ([提醒时间],[铃声位置],[提示文本]) values (?,?,?)"),
            {QStringLiteral("每天|2026年12月7日09时00分"), QStringLiteral("真|/ring.wav"),
             QStringLiteral("假|")}));
        w->engine().reload();
        for (int i = 0; i < 10; ++i) {
            f.clock.advance(1);
            w->onTick();
        }
        const QStringList calls = f.sound.calls();
        QVERIFY2(calls.size() >= 2, qPrintable(calls.join(u',')));
        QCOMPARE(calls.first(), QStringLiteral("play /ring.wav 1"));
        QVERIFY(calls.at(1).startsWith(QStringLiteral("playClip ")));
    }

    // The diary list is read each time its page is shown, so an entry saved meanwhile appears.
    void diaryPageLoadsWhenShown() {
        Fixture f;
        auto w = f.window();
        QVERIFY(startUp(*w));
        const auto add = [&w](const QString& text) {
            return w->database().execute(QStringLiteral("insert into [记事本] ([内容]) values (?)"), {text});
        };
        QVERIFY(add(QStringLiteral("第一篇")));
        w->tabs()->setCurrentIndex(1);
        auto* list = w->findChild<QTreeWidget*>(QStringLiteral("超级列表框_记事本"));
        QVERIFY(list);
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("第一篇"));
        QVERIFY(add(QStringLiteral("第二篇")));
        QCOMPARE(list->topLevelItemCount(), 1);
        w->tabs()->setCurrentIndex(0);
        w->tabs()->setCurrentIndex(1);
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("第二篇"));
    }

    void lockButtonOpensTheLockWindowModal() {
        Fixture f;
        auto w = f.window();
        QVERIFY(startUp(*w));
        w->show();
        bool seen = false;
        QTimer::singleShot(0, w.get(), [&seen] {
            auto* lock = qobject_cast<QWidget*>(QApplication::activeModalWidget());
            seen = lock && lock->objectName() == u"LockWindow"_s;
            if (auto* cancel = lock ? lock->findChild<QPushButton*>(u"按钮_取消"_s) : nullptr)
                cancel->click();
        });
        w->alarmPage()->lockButton()->click(); // returns once the window is gone
        QVERIFY(seen);
    }

    // The extras page is built when first opened; its almanac buttons reach the message box.
    void extrasPageButtonsReachTheirFeatures_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("opening");
        QTest::newRow("十二时辰表") << u"按钮6"_s << u"子 0"_s;
        QTest::newRow("天干地支表") << u"按钮7"_s << u"天干："_s;
        QTest::newRow("星座日期") << u"按钮8"_s << u"白羊座"_s;
    }
    void extrasPageButtonsReachTheirFeatures() {
        QFETCH(QString, button);
        QFETCH(QString, opening);
        Fixture f;
        auto w = f.window();
        QVERIFY(startUp(*w));
        w->show();
        QVERIFY(!w->findChild<QPushButton*>(button));
        w->tabs()->setCurrentIndex(3);
        auto* b = w->findChild<QPushButton*>(button);
        QVERIFY(b && b->isVisible());
        b->click();
        QCOMPARE(f.dialogs.messages().size(), 1);
        QVERIFY2(f.dialogs.messages().first().contains(opening), qPrintable(f.dialogs.messages().first()));
    }

    void feedbackPageIsBuiltWhenFirstOpened() {
        Fixture f;
        auto w = f.window();
        QVERIFY(startUp(*w));
        w->show();
        QVERIFY(!w->findChild<QWidget*>(u"按钮23"_s));
        w->tabs()->setCurrentIndex(4);
        auto* submit = w->findChild<QWidget*>(u"按钮23"_s);
        QVERIFY(submit && submit->isVisible());
    }

    void copyPutsTheTextOnTheClipboard_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("recommendation text") << "推荐给你";
        QTest::newRow("empty box still says 复制成功") << "";
    }
    void copyPutsTheTextOnTheClipboard() {
        QFETCH(QString, text);
        Fixture f;
        auto w = f.window();
        w->tabs()->setCurrentIndex(5);
        w->findChild<QLineEdit*>(QStringLiteral("编辑框1"))->setText(text);
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        w->findChild<QPushButton*>(QStringLiteral("按钮22"))->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        QCOMPARE(f.dialogs.messages(), QStringList{u"复制成功"_s});
    }

    // With protection on every command asks and obeys the answer; with it off none asks.
    void protectionGuardsEveryCommand_data() {
        QTest::addColumn<QString>("protection");
        QTest::addColumn<QString>("command");
        for (const QString& protection : {u"off"_s, u"right credentials"_s, u"wrong credentials"_s})
            for (const QString& command :
                 {u"add button"_s, u"double-click"_s, u"delete button"_s, u"menu add"_s, u"menu delete"_s})
                QTest::addRow("%s, %s", qPrintable(protection), qPrintable(command)) << protection << command;
    }
    void protectionGuardsEveryCommand() {
        QFETCH(QString, protection);
        QFETCH(QString, command);
        Fixture f;
        if (protection != u"off")
            QVERIFY(f.registry.write(u"SOFTWARE\\qlzk"_s, u"pz"_s, u"真|abc|abc"_s));
        f.dialogs.answerInput(protection == u"wrong credentials" ? u"abc abd"_s : u"abc abc"_s);
        auto w = windowWithOneAlarm(f);
        QVERIFY(w);
        w->alarmPage()->lists().shown->topLevelItem(0)->setSelected(true);
        const QList<QAction*> menu = w->alarmCommands()->alarmMenu()->actions();
        if (command == u"add button")
            w->alarmPage()->addButton()->click();
        else if (command == u"double-click")
            doubleClickRow(*w, 0);
        else if (command == u"delete button")
            w->alarmPage()->deleteButton()->click();
        else
            menu.at(command == u"menu add" ? 0 : 1)->trigger();

        QCOMPARE(f.dialogs.inputCaptions().size(), protection == u"off" ? 0 : 1);
        const bool obeyed = protection != u"wrong credentials";
        const bool deletes = command.contains(u"delete"_s);
        QCOMPARE(w->alarmPage()->lists().shown->topLevelItemCount(), deletes && obeyed ? 0 : 1);
        auto* editor = w->findChild<AlarmEditorWindow*>();
        QCOMPARE(editor != nullptr && editor->isVisible(), !deletes && obeyed);
        // A refused add is silent; modify and delete say why.
        const bool says = !obeyed && (deletes || command == u"double-click");
        QCOMPARE(f.dialogs.messages(), says ? QStringList{u"帐号密码错误，请检查！"_s} : QStringList());
    }

    void passwordBoxOpensThePasswordWindow() {
        Fixture f;
        auto w = f.window();
        w->tabs()->setCurrentIndex(2);
        w->findChild<QCheckBox*>(u"选择框_密码修改"_s)->click();
        QVERIFY(w->passwordToggle()->passwordWindow());
        QVERIFY(w->passwordToggle()->passwordWindow()->isVisible());
        QVERIFY(f.dialogs.shown().isEmpty());
    }

    // One editor: opening it again while open switches its mode and contents, never leaves stale values.
    void openEditorTakesTheNewModeAndContents() {
        Fixture f;
        auto w = windowWithOneAlarm(f);
        QVERIFY(w);
        w->alarmPage()->addButton()->click();
        auto* reminder = w->findChild<QPlainTextEdit*>(u"编辑框_弹窗内容"_s);
        reminder->setPlainText(u"typed, not saved"_s);
        doubleClickRow(*w, 0);
        QCOMPARE(w->findChildren<AlarmEditorWindow*>().size(), 1);
        QCOMPARE(w->alarmEditor()->mode(), AlarmEditorWindow::Mode::Modify);
        QCOMPARE(reminder->toPlainText(), u"开会"_s);
        QCOMPARE(w->findChild<QPushButton*>(u"按钮_添加"_s)->text(), u"修改"_s);
        w->alarmPage()->addButton()->click();
        QCOMPARE(w->alarmEditor()->mode(), AlarmEditorWindow::Mode::Add);
        QCOMPARE(reminder->toPlainText(), QString());
        QCOMPARE(w->findChild<QPushButton*>(u"按钮_添加"_s)->text(), u"添加"_s);
    }

    // The program lives in the tray: closing the reminder, the last window on screen, must not end it,
    // and the next alarm still rings.
    void closingTheReminderWhileHiddenKeepsRunning() {
        Fixture f;
        f.clock.set(QDate(2026, 12, 7), QTime(8, 29, 58));
        auto w = windowWithOneAlarm(f);
        QVERIFY(w);
        QVERIFY(w->database().execute(u"insert into [配置] ([提醒时间],[铃声位置],[提示文本]) "
                                      "values ('每天|2026年12月7日08时31分','真|/next.mp3','真|再来')"_s));
        w->engine().reload();
        w->hide();
        QuitWatch quits;
        // Qt quits on the last window closed only inside the application's event loop: the minutes run
        // there, as in the program.
        QTimer::singleShot(0, w.get(), [&] {
            for (int i = 0; i < 65; ++i) {
                f.clock.advance(1);
                w->onTick();
                if (ReminderWindow* reminder = w->reminder())
                    reminder->close();
                QCoreApplication::sendPostedEvents();
            }
            QTimer::singleShot(0, w.get(), [] { QCoreApplication::exit(0); });
        });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(quits.count, 0);
        QCOMPARE(f.sound.calls(), (QStringList{u"play "_s + f.paths.windowsFile(u"1.mp3"_s) + u" 1"_s,
                                               u"stop"_s, u"play /next.mp3 1"_s, u"stop"_s}));
    }

    // After a resume (or the clock set forward) the tick runs at once: the alarm due in the skipped
    // minutes rings, marked late.
    void resumeRingsTheSkippedAlarmLate() {
        Fixture f;
        ClockEvents events;
        f.clock.set(QDate(2026, 12, 7), QTime(8, 25, 0));
        Services services = f.services(&f.sound);
        services.clockEvents = &events;
        auto w = std::make_unique<MainWindow>(services);
        QVERIFY(w->StartUp());
        QVERIFY(w->database().execute(u"insert into [配置] ([提醒时间],[铃声位置],[提示文本]) "
                                      "values ('仅一次|2026年12月7日08时30分','假|默认','真|开会')"_s));
        w->engine().reload();
        f.clock.advance(10 * 60 + 7);
        emit events.resumed();
        QVERIFY(w->reminder());
        QCOMPARE(w->reminder()->findChild<QLabel*>(u"标签1"_s)->text(),
                 u"2026年12月7日08时30分（迟到 5 分钟）"_s);
        w->reminder()->close();
        f.clock.set(QDate(2026, 12, 7), QTime(8, 30, 0)); // set back: nothing rings twice
        emit events.clockChanged();
        QVERIFY(!w->reminder());
    }

    // A suspend two seconds before an alarm waits for it (logind's delay lock): it rings first, then the
    // lock goes, and it is taken again on resume. With "唤醒电脑响铃" the machine is woken a minute before
    // the next ring, moved on once that ring has rung, and not at all once the setting is off.
    void suspendWaitsForTheDueAlarmAndWakeIsArmed() {
        Fixture f;
        LogindBus logind;
        KernelClockEvents events(logind.bus.address());
        FakeWakeAlarm wake;
        f.settings.setWakeForAlarm(true);
        f.clock.set(QDate(2026, 12, 7), QTime(8, 20, 0));
        Services services = f.services(&f.sound);
        services.clockEvents = &events;
        services.wakeAlarm = &wake;
        auto w = std::make_unique<MainWindow>(services);
        QVERIFY(startUp(*w));
        QVERIFY(w->engine().add({u"每天|2026年12月7日08时30分"_s, u"真|默认"_s, u"真|开会"_s}));
        QCOMPARE(wake.armed, QDateTime(QDate(2026, 12, 7), QTime(8, 29)));
        QTRY_VERIFY(logind.manager.held());

        QStringList duringSleep;
        connect(&events, &ClockEvents::aboutToSleep, this, [&] {
            duringSleep = f.sound.calls();
            duringSleep << (logind.manager.held() ? u"held"_s : u"released"_s);
        });
        f.clock.set(QDate(2026, 12, 7), QTime(8, 29, 58));
        QVERIFY(sendPrepareForSleep(logind.logind, true));
        QTRY_VERIFY(!logind.manager.held());
        QCOMPARE(duringSleep,
                 (QStringList{u"play "_s + f.paths.windowsFile(u"1.mp3"_s) + u" 1"_s, u"held"_s}));
        QVERIFY(w->reminder());
        QCOMPARE(wake.armed, QDateTime(QDate(2026, 12, 8), QTime(8, 29)));

        f.clock.set(QDate(2026, 12, 7), QTime(8, 31, 0));
        QVERIFY(sendPrepareForSleep(logind.logind, false));
        QTRY_VERIFY(logind.manager.held());
        w->reminder()->close();
        QCOMPARE(f.sound.calls().count(u"play "_s + f.paths.windowsFile(u"1.mp3"_s) + u" 1"_s), 1);
        f.settings.setWakeForAlarm(false);
        QVERIFY(!wake.armed);
    }

    // Hidden, nothing on screen moves: the tick sleeps until the next minute with work, and shown again
    // it ticks every second.
    void hiddenWindowSleepsUntilItsWork() {
        Fixture f; // 08:05:09, the alarm at 08:30: a quarter of an hour at the most, so 08:20
        auto w = windowWithOneAlarm(f);
        QVERIFY(w);
        w->startTicking();
        QVERIFY(!w->ticker()->sleeping());
        QVERIFY(w->ticker()->remainingMs() <= 1005);
        w->hide();
        QVERIFY(w->ticker()->sleeping());
        QVERIFY(qAbs(w->ticker()->remainingMs() - 891 * 1000) < 1000);
        // An alarm added meanwhile (the editor works while the window is hidden) moves the aim.
        QVERIFY(w->engine().add({u"仅一次|2026年12月7日08时07分"_s, u"真|默认"_s, u"真|早"_s}));
        QVERIFY(qAbs(w->ticker()->remainingMs() - 111 * 1000) < 1000);
        w->show();
        QVERIFY(!w->ticker()->sleeping());
        QVERIFY(w->ticker()->remainingMs() <= 1005);
    }

    // The XEmbed tray restores on a double-click; a StatusNotifier host has no double-click, so there a
    // click does.
    void trayRestores_data() {
        QTest::addColumn<bool>("statusNotifier");
        QTest::addColumn<QString>("restoredBy"); // 1 click, 2 double-click, 3 right click
        QTest::newRow("XEmbed: only the double-click") << false << u"2"_s;
        QTest::newRow("StatusNotifier: the click, and still the double-click") << true << u"12"_s;
    }
    void trayRestores() {
        QFETCH(bool, statusNotifier);
        QFETCH(QString, restoredBy);
        Fixture f;
        auto w = f.window();
        QVERIFY(startUp(*w));
        w->useSingleClickTray(statusNotifier);
        QString restoring;
        for (int action : {1, 2, 3}) {
            w->showMinimized();
            w->hide();
            w->RestoreFromTray(MainWindow::TrayAction(action));
            if (w->isVisible() && !w->isMinimized())
                restoring += QString::number(action);
        }
        QCOMPARE(restoring, restoredBy);
    }

    // Every StatusNotifier host gets the program's own item, whether the panel was there first or started
    // later: one title, the menu 显示主窗口 / 退出 that the host draws at the icon, and a click (Activate)
    // or the menu that brings the hidden window back. Qt's icon stays hidden beside it.
    void statusNotifierItem_data() {
        QTest::addColumn<bool>("panelFirst");
        QTest::newRow("panel started before the program") << true;
        QTest::newRow("panel started after the program") << false;
    }
    void statusNotifierItem() {
        QFETCH(bool, panelFirst);
        Fixture f;
        test::PrivateBus daemon(f.dir);
        QVERIFY(!daemon.address().isEmpty());
        test::BusPeer app(daemon.address(), u"app"_s);
        test::BusPeer panel(daemon.address(), u"panel"_s);
        // The panel answers from a thread of its own: the program asks it at start and waits.
        QThread panelThread;
        FakeWatcher watcher;
        watcher.moveToThread(&panelThread);
        panelThread.start();
        const auto stopPanel = qScopeGuard([&] {
            panelThread.quit();
            panelThread.wait();
        });
        const auto servePanel = [&] {
            return panel.bus().registerObject(u"/StatusNotifierWatcher"_s, &watcher,
                                              QDBusConnection::ExportAllSlots |
                                                  QDBusConnection::ExportAllProperties) &&
                   panel.bus().registerService(u"org.kde.StatusNotifierWatcher"_s);
        };
        if (panelFirst)
            QVERIFY(servePanel());
        auto w = windowWithOneAlarm(f);
        QVERIFY(w);
        w->setTrayBus(u"app"_s);
        w->finishStartUp();
        QVERIFY(w->trayItem());
        if (!panelFirst) {
            QVERIFY(!w->trayItem()->registered());
            QVERIFY(servePanel());
        }
        QTRY_COMPARE(watcher.registered(), QStringList{w->trayItem()->serviceName()});
        QTRY_VERIFY(w->trayItem()->registered());
        QVERIFY(!w->trayIcon()->isVisible());

        // Asynchronous calls: the item answers from this thread, so a blocking call would wait for itself.
        const auto call = [&](const QString& path, const QString& interface, const QString& method,
                              const QVariantList& args) {
            QDBusMessage message =
                QDBusMessage::createMethodCall(w->trayItem()->serviceName(), path, interface, method);
            message.setArguments(args);
            QDBusPendingCall pending = panel.bus().asyncCall(message);
            [&] { QTRY_VERIFY(pending.isFinished()); }();
            return pending.reply();
        };
        const auto property = [&](const QString& name) {
            return call(u"/StatusNotifierItem"_s, u"org.freedesktop.DBus.Properties"_s, u"Get"_s,
                        {u"org.kde.StatusNotifierItem"_s, name})
                .arguments()
                .value(0)
                .value<QDBusVariant>()
                .variant();
        };
        QCOMPARE(property(u"Title"_s).toString(), u"Orvane电脑闹钟"_s);
        const QString menu = property(u"Menu"_s).value<QDBusObjectPath>().path();
        const QDBusMessage layout =
            call(menu, u"com.canonical.dbusmenu"_s, u"GetLayout"_s, {0, -1, QStringList{u"label"_s}});
        DBusMenuLayout root;
        layout.arguments().value(1).value<QDBusArgument>() >> root;
        QStringList labels;
        for (const DBusMenuLayout& entry : root.children)
            labels << entry.properties.value(u"label"_s).toString();
        QCOMPARE(labels, (QStringList{u"显示主窗口"_s, u"退出"_s}));

        w->showMinimized();
        QTRY_VERIFY(!w->isVisible());
        call(menu, u"com.canonical.dbusmenu"_s, u"Event"_s,
             {root.children.value(0).id, u"clicked"_s, QVariant::fromValue(QDBusVariant(0)), 0u});
        QTRY_VERIFY(w->isVisible() && !w->isMinimized());
        w->showMinimized();
        QTRY_VERIFY(!w->isVisible());
        QCOMPARE(
            call(u"/StatusNotifierItem"_s, u"org.kde.StatusNotifierItem"_s, u"Activate"_s, {0, 0}).type(),
            QDBusMessage::ReplyMessage);
        QTRY_VERIFY(w->isVisible() && !w->isMinimized());
    }

    void trayToolTipNamesTheNextAlarm() {
        Fixture f;
        auto w = windowWithOneAlarm(f);
        QVERIFY(w);
        QCOMPARE(w->trayToolTip(), u"Orvane电脑闹钟\n下一个闹钟：2026年12月7日08时30分"_s);
        QVERIFY(w->engine().remove(1));
        QCOMPARE(w->trayToolTip(), u"Orvane电脑闹钟"_s);
    }
};

ORVANE_TEST(MainWindowTest)
#include "test_MainWindow.moc"
