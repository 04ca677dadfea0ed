// Every window's caption as the title bar shows it (the browser windows' are checked with the browser).
// An empty title is never set: Qt would show the program's name in its place.
#include "FakeServices.h"
#include "TestRegistry.h"
#include "alarm/AlarmEditorWindow.h"
#include "alarm/AlarmEngine.h"
#include "alarm/FiredAlarm.h"
#include "alarm/ReminderWindow.h"
#include "app/MainWindow.h"
#include "calendar/DateCalculatorWindow.h"
#include "calendar/LunarLookupWindow.h"
#include "common/Database.h"
#include "diary/DiaryEditorWindow.h"
#include "diary/DiaryState.h"
#include "net/FinanceWindow.h"
#include "net/NewsWindow.h"
#include "net/WebShortcuts.h"
#include "platform/LockPrimitives.h"
#include "protect/LockWindow.h"
#include "protect/PasswordWindow.h"
#include "resources/resources.h"

#include <QtTest>

#include <functional>
#include <memory>

using namespace orvane;
using namespace Qt::StringLiterals;
using Make = std::function<std::unique_ptr<QWidget>(test::FakeServices&)>;
Q_DECLARE_METATYPE(Make)

namespace {
struct NoBrowserWindows final : BrowserWindows {
    void open(browserProtocol::PageKind, const QByteArray&, QWidget*) override {}
} noBrowserWindows;
struct StillCursor final : CursorControl {
    QRect screenGeometry() const override { return {0, 0, 800, 600}; }
    QPoint position() const override { return {}; }
    void moveTo(QPoint) override {}
};
struct NoGrab final : InputGrab {
    bool canHoldKeyboard(QWindow*) const override { return false; }
    bool grab(QWindow*) override { return false; }
    void release(QWindow*) override {}
};
StillCursor cursor;
NoGrab grab;
Database db;
AlarmEngine* engine = nullptr;
DiaryState diary;
} // namespace

class CaptionsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvaneInitResources(); }

    void captions_data() {
        QTest::addColumn<Make>("make");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char* name, const QString& caption, Make make) {
            QTest::newRow(name) << make << caption;
        };
        row("main window", u" Orvane电脑闹钟 V1.5"_s,
            [](test::FakeServices& f) { return std::make_unique<MainWindow>(f.services()); });
        row("alarm editor", u" 添加闹钟"_s, [](test::FakeServices& f) {
            engine = new AlarmEngine(db, {f.clock, f.quietSound, f.paths, f.settings});
            return std::make_unique<AlarmEditorWindow>(*engine, f.dialogs, f.clock);
        });
        row("reminder", u" 设定时间到"_s,
            [](test::FakeServices&) { return std::make_unique<ReminderWindow>(FiredAlarm{}, QString()); });
        row("diary editor", u" 日记本"_s, [](test::FakeServices& f) {
            return std::make_unique<DiaryEditorWindow>(diary, db, f.dialogs, f.dir.file(u"sys.ini"_s), [] {});
        });
        row("password", u" 请输入密码"_s,
            [](test::FakeServices& f) { return std::make_unique<PasswordWindow>(f.registry, f.dialogs); });
        row("screen lock", u"挂机..."_s, [](test::FakeServices& f) {
            return std::make_unique<LockWindow>(LockServices{f.dialogs, f.killer, cursor, grab});
        });
        row("date calculator", u" 日期计算"_s,
            [](test::FakeServices& f) { return std::make_unique<DateCalculatorWindow>(f.clock, f.dialogs); });
        row("lunar lookup", u" "_s, [](test::FakeServices& f) {
            return std::make_unique<LunarLookupWindow>(
                f.clock, [](const PageRequest&, const auto& done) { done(QByteArray()); }, QByteArray());
        });
        row("news", u" 新闻阅读大全"_s, [](test::FakeServices&) {
            return std::make_unique<NewsWindow>(WebShortcuts::standard(), noBrowserWindows);
        });
        row("finance", u" 股票外汇"_s, [](test::FakeServices&) {
            return std::make_unique<FinanceWindow>(WebShortcuts::standard(), noBrowserWindows);
        });
    }
    void captions() {
        QFETCH(Make, make);
        QFETCH(QString, caption);
        test::FakeServices f;
        const std::unique_ptr<QWidget> window = make(f);
        QCOMPARE(window->windowTitle(), caption);
        delete engine;
        engine = nullptr;
    }
};

ORVANE_TEST(CaptionsTest)
#include "test_Captions.moc"
