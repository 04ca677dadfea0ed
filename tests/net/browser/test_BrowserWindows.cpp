// The helper's windows with the real engine: WebBrowserWindow's start page, toolbar and size rule, the
// weather window and the weather panel's own window.
#include "BrowserTestSupport.h"
#include "TestRegistry.h"
#include "net/BrowserLayout.h"
#include "net/WeatherPanelWindow.h"
#include "net/WeatherWindow.h"
#include "net/WebBrowserWindow.h"
#include "net/WebShortcuts.h"
#include "platform/WindowCaption.h"

#include <QPushButton>
#include <QScreen>
#include <QToolBar>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Counts the resize events a window receives.
struct ResizeCounter : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            ++count;
        return false;
    }
};

} // namespace

class WebBrowserWindowTest : public QObject {
    Q_OBJECT
    LinkPages server_;

    WebBrowserWindow* open(const QByteArray& path) {
        auto* window = new WebBrowserWindow(server_.url(path));
        window->show();
        return window;
    }

private slots:
    void toolbar_data() {
        QTest::addColumn<QStringList>("steps");
        // Each step: an action ("link" follows the page's link; "home", "back", "forward" or a number
        // click that toolbar index) and the page loaded by it, or "-" when it must load nothing.
        QTest::newRow("首页 returns to the start page after following links")
            << QStringList{u"link /start-link"_s, u"link /start-link-link"_s, u"home /start"_s};
        QTest::newRow("后退 goes back one page, not to the start")
            << QStringList{u"link /start-link"_s, u"link /start-link-link"_s, u"back /start-link"_s};
        QTest::newRow("前进 after 后退 returns to the page left")
            << QStringList{u"link /start-link"_s, u"back /start"_s, u"forward /start-link"_s};
        QTest::newRow("后退 without history does nothing, history intact")
            << QStringList{u"back -"_s, u"link /start-link"_s, u"back /start"_s};
        QTest::newRow("前进 without history does nothing")
            << QStringList{u"link /start-link"_s, u"forward -"_s};
        QTest::newRow("an index outside the toolbar does nothing")
            << QStringList{u"link /start-link"_s, u"4 -"_s, u"-1 -"_s, u"back /start"_s};
    }
    void toolbar() {
        QFETCH(QStringList, steps);
        WebBrowserWindow* window = open("/start");
        BrowserView* view = window->browser();
        QVERIFY(waitForPage(view, QStringLiteral("/start")));
        const QHash<QString, int> index{{u"home"_s, 0}, {u"back"_s, 1}, {u"forward"_s, 2}};
        int loads = 1;
        for (const QString& step : steps) {
            const QString action = step.section(u' ', 0, 0), page = step.section(u' ', 1, 1);
            if (action == QLatin1String("link"))
                QVERIFY(followLink(view, server_));
            else
                window->OnToolbarClick(index.value(action, action.toInt()));
            if (page == QLatin1String("-"))
                continue; // nothing to wait for: the next step or the end shows whether anything moved
            ++loads;
            QVERIFY(runUntil([&] { return view->loads() >= loads; }));
            QCOMPARE(view->loads(), loads);
            QCOMPARE(view->loadedUrl().path(), page);
        }
        QCoreApplication::processEvents();
        QCOMPARE(view->loads(), loads);
        QVERIFY(window->isVisible());
        window->close();
    }

    void toolbarButtons() {
        WebBrowserWindow* window = open("/start");
        QToolBar* bar = window->findChild<QToolBar*>(QStringLiteral("工具条1"));
        QVERIFY(bar);
        QStringList captions, tips;
        for (QAction* a : bar->actions()) {
            captions << a->text();
            tips << a->toolTip();
        }
        QCOMPARE(captions, (QStringList{u"首页"_s, u"后退"_s, u"前进"_s, u"关闭"_s}));
        QCOMPARE(tips, (QStringList{u"跳转到首页"_s, u"后退"_s, u"前进"_s, u"关闭浏览器"_s}));
        QPointer<WebBrowserWindow> guard(window);
        bar->actions().at(3)->trigger();
        QTRY_VERIFY(guard.isNull()); // closed and deleted: no history survives a closing
    }

    void sizeRule_data() {
        QTest::addColumn<QSize>("outsideResize");
        QTest::newRow("first show alone") << QSize();
        QTest::newRow("made smaller from outside") << QSize(300, 200);
        QTest::newRow("made larger from outside") << QSize(1250, 790);
    }
    void sizeRule() {
        QFETCH(QSize, outsideResize);
        WebBrowserWindow* window = open("/start");
        const QRect target = browserWindowGeometry(window->screen()->size());
        QTRY_COMPARE(window->geometry(), target);
        ResizeCounter counter;
        window->installEventFilter(&counter);
        if (outsideResize.isValid()) {
            window->resize(outsideResize);
            QTRY_COMPARE(window->geometry(), target);
        }
        // The X server's answers to every resize so far have arrived and been handled: each size may
        // come back once from the server, and then nothing moves any more.
        QGuiApplication::sync();
        QCoreApplication::processEvents();
        const int settled = counter.count;
        QVERIFY2(settled <= 4, "the size rule does not come to rest");
        QGuiApplication::sync();
        QCoreApplication::processEvents();
        QCOMPARE(counter.count, settled);
        QCOMPARE(window->browser()->geometry(), QRect(0, 59, target.width(), target.height() - 63));
        QCOMPARE(window->toolbar()->geometry(), QRect(0, 0, 403, 57));
        window->close();
    }

    void weatherWindow() {
        QPointer<WeatherWindow> weather = new WeatherWindow(server_.url("/static/custom/custom.html"));
        weather->show();
        QCOMPARE(weather->windowTitle(), noCaption()); // never Qt's fallback, the program's name
        QVERIFY(waitForPage(weather->browser(), QStringLiteral("/static/custom/custom.html")));
        weather->findChild<QPushButton*>(QStringLiteral("按钮1"))->click();
        QTRY_VERIFY(weather.isNull());
    }

    // The panel as a window of its own: the strip of the main window it stands for, 按钮20 loading the
    // page again and 按钮21 closing the window.
    void weatherPanelWindow() {
        QPointer<WeatherPanelWindow> panel = new WeatherPanelWindow(server_.url("/forecast"));
        panel->show();
        QVERIFY(waitForPage(panel->browser(), QStringLiteral("/forecast")));
        QCOMPARE(panel->size(), QSize(mainWindowWeatherSize.width(),
                                      mainWindowWeatherSize.height() - mainWindowNormalSize.height()));
        for (const QWidget* control : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(panel->rect().contains(control->geometry()), qPrintable(control->objectName()));
        panel->findChild<QPushButton*>(QStringLiteral("按钮20"))->click();
        QVERIFY(runUntil([&] { return panel->browser()->loads() == 2; }));
        panel->findChild<QPushButton*>(QStringLiteral("按钮21"))->click();
        QTRY_VERIFY(panel.isNull());
    }
};

ORVANE_TEST(WebBrowserWindowTest)
#include "test_BrowserWindows.moc"
