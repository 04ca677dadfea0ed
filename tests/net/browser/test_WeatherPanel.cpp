// The main window's weather panel, shown by the real helper: inside the window on X11 (the window's two
// sizes, the page's window inside the panel's control), as a window of its own elsewhere (Wayland).
#include "BrowserTestSupport.h"
#include "TestRegistry.h"
#include "net/BrowserHelper.h"
#include "net/BrowserLayout.h"
#include "net/WeatherPanel.h"

#include <QPushButton>

#include <xcb/xcb.h>

#include <cstdlib>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// The windows the X server holds inside `parent`, with their sizes.
QList<QSize> childWindowSizes(WId parent) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    QList<QSize> sizes;
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, xcb_window_t(parent)), nullptr), &std::free);
    if (!tree)
        return sizes;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> g(
            xcb_get_geometry_reply(c, xcb_get_geometry(c, children[i]), nullptr), &std::free);
        if (g)
            sizes.append(QSize(g->width, g->height));
    }
    return sizes;
}

} // namespace

class WeatherPanelTest : public QObject {
    Q_OBJECT
    LinkPages server_;

private slots:
    void insideTheWindow_data() {
        QTest::addColumn<QStringList>("clicks"); // 13 天气预报 on 我的闹钟, 20 刷新, 21 关闭
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("pageLoads");
        QTest::newRow("天气预报 shows the panel") << QStringList{u"13"_s} << mainWindowWeatherSize << 1;
        QTest::newRow("天气预报 twice stays at the weather size, not taller")
            << QStringList{u"13"_s, u"13"_s} << mainWindowWeatherSize << 2;
        QTest::newRow("关闭天气预报 goes back to the normal size")
            << QStringList{u"13"_s, u"21"_s} << mainWindowNormalSize << 1;
        QTest::newRow("刷新天气预报 loads again without resizing")
            << QStringList{u"13"_s, u"20"_s} << mainWindowWeatherSize << 2;
        QTest::newRow("shown again after closing")
            << QStringList{u"13"_s, u"21"_s, u"13"_s} << mainWindowWeatherSize << 2;
    }
    void insideTheWindow() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("only X11 lets a window hold another program's");
        QFETCH(QStringList, clicks);
        QFETCH(QSize, size);
        QFETCH(int, pageLoads);
        QWidget main;
        main.setFixedSize(mainWindowNormalSize); // as the main window is made
        BrowserHelper helper;
        WeatherPanel panel(&main, server_.url("/forecast"), helper);
        QCOMPARE(panel.place(), WeatherPanel::Place::InWindow);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const WId window = main.winId();
        QSignalSpy loaded(&helper, &BrowserHelper::loaded), shown(&helper, &BrowserHelper::shown);
        for (const QString& click : clicks) {
            if (click == QLatin1String("13"))
                panel.ShowWeatherPanel();
            else
                main.findChild<QPushButton*>(QStringLiteral("按钮") + click)->click();
            if (click != QLatin1String("21")) {
                const qsizetype before = loaded.size();
                QVERIFY(runUntil([&] { return loaded.size() > before; }));
                QVERIFY(loaded.last()[1].toBool());
            }
        }
        QCOMPARE(loaded.size(), pageLoads);
        QCOMPARE(loaded.last()[2].toUrl().path(), QStringLiteral("/forecast"));
        QCOMPARE(main.size(), size);
        // The page never makes the window anew (a new X window vanishes and reappears on the desktop).
        QCOMPARE(main.winId(), window);
        // The user still cannot resize the main window.
        QCOMPARE(main.minimumSize(), size);
        QCOMPARE(main.maximumSize(), size);
        const bool open = size == mainWindowWeatherSize;
        const QRect shownArea(QPoint(0, 0), size);
        // The panel's controls are wholly in view when the window is tall, and not a pixel of them
        // otherwise.
        for (const QWidget* control :
             {panel.browserArea(), main.findChild<QWidget*>(QStringLiteral("按钮20")),
              main.findChild<QWidget*>(QStringLiteral("按钮21"))}) {
            QCOMPARE(shownArea.contains(control->geometry()), open);
            QCOMPARE(shownArea.intersects(control->geometry()), open);
        }
        // The helper's page fills the panel's control, as a window inside it; closed, it is gone.
        QVERIFY(runUntil(
            [&] { return childWindowSizes(panel.browserArea()->winId()).size() == (open ? 1 : 0); }));
        if (open) {
            QCOMPARE(childWindowSizes(panel.browserArea()->winId()),
                     QList<QSize>{weatherBrowserPlace.size()});
            // Only the panel's control is a window of its own: its neighbours keep being drawn by the
            // main window (as windows, transparent controls would lose their background).
            QCOMPARE(childWindowSizes(main.winId()), QList<QSize>{weatherBrowserPlace.size()});
            QVERIFY(runUntil([&] { return !shown.isEmpty(); }));
            QCOMPARE(shown.last()[1].toSize(), weatherBrowserPlace.size());
        }
        QCOMPARE(helper.processId() != 0, open); // a closed panel leaves no helper running
    }

    // Where windows cannot be held (Wayland, and X11 when asked): the panel's own window at the strip's
    // size, the main window unchanged; 天气预报 again loads the page again in the same window.
    void ownWindow() {
        QWidget main;
        main.setFixedSize(mainWindowNormalSize);
        BrowserHelper helper;
        WeatherPanel panel(&main, server_.url("/forecast"), helper, WeatherPanel::Place::OwnWindow);
        QCOMPARE(WeatherPanel::defaultPlace() == WeatherPanel::Place::OwnWindow,
                 QGuiApplication::platformName() != QLatin1String("xcb"));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QSignalSpy loaded(&helper, &BrowserHelper::loaded), shown(&helper, &BrowserHelper::shown);
        panel.ShowWeatherPanel();
        QVERIFY(runUntil([&] { return loaded.size() == 1 && shown.size() == 1; }));
        const int page = panel.page();
        QCOMPARE(shown[0][1].toSize(), mainWindowWeatherSize - QSize(0, weatherPanelTop));
        panel.ShowWeatherPanel();
        QVERIFY(runUntil([&] { return loaded.size() == 2; }));
        QCOMPARE(panel.page(), page);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(loaded.last()[2].toUrl().path(), QStringLiteral("/forecast"));
        QCOMPARE(main.size(), mainWindowNormalSize);
        QVERIFY(!main.findChild<QPushButton*>()); // its buttons are in its own window
        panel.HideWeatherPanel();
        QCOMPARE(panel.page(), 0);
        QCOMPARE(helper.processId(), 0);
    }
};

ORVANE_TEST(WeatherPanelTest)
#include "test_WeatherPanel.moc"
