// WebBrowserWindow with the real engine: loading on demand, start page, toolbar, size rule, no module.
#include "BrowserTestSupport.h"
#include "TestRegistry.h"
#include "app/ExtrasPage.h"
#include "net/BrowserLayout.h"
#include "net/BrowserModule.h"
#include "net/WeatherPanel.h"
#include "net/WebBrowserWindow.h"
#include "net/WebShortcuts.h"
#include "platform/Clock.h"

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
    // First in this program: nothing before it has shown a page.
    void engineNotLoadedBeforeFirstPage() {
        SystemClock clock;
        QWidget main;
        auto* page = new QWidget(&main);
        ShownWindows shown;
        ExtrasPage extras(page, WebShortcuts::standard(), clock, shown.runner());
        WeatherPanel panel(&main, server_.url("/weather"));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QVERIFY2(!browserModule::isLoaded(), "the engine was loaded before any page was shown");
        panel.ShowWeatherPanel();
        QVERIFY(browserModule::isLoaded());
        QVERIFY(waitForPage(panel.browser(), QStringLiteral("/weather")));
    }

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

    // Without the module the window shows a plain message where the page would be, and keeps working.
    void missingModule() {
        WebBrowserWindow* window;
        {
            WithoutModule noModule;
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(u"^no browser: orvane-browser.so is in none of "_s));
            window = new WebBrowserWindow(server_.url("/start"));
        }
        QSignalSpy ended(window->browser(), &BrowserView::loaded);
        window->show();
        QVERIFY(ended.wait(5000));
        QCOMPARE(ended.first().first().toBool(), false);
        QVERIFY(!window->browser()->hasEngine());
        QVERIFY(window->browser()->message().contains(QStringLiteral("orvane-browser")));
        QVERIFY(window->browser()->pageWidget()->isVisible());
        for (int i : {0, 1, 2})
            window->OnToolbarClick(i);
        QCOMPARE(window->browser()->url(), webUrl(server_.url("/start")));
        window->close();
    }
};

ORVANE_TEST(WebBrowserWindowTest)
#include "test_BrowserWindows.moc"
