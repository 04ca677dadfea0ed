// The main window's weather panel: the window's two sizes and loading the forecast page.
#include "BrowserTestSupport.h"
#include "TestRegistry.h"
#include "net/BrowserLayout.h"
#include "net/WeatherPanel.h"

#include <QPushButton>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

class WeatherPanelTest : public QObject {
    Q_OBJECT
    LinkPages server_;

private slots:
    void sizes_data() {
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
    void sizes() {
        QFETCH(QStringList, clicks);
        QFETCH(QSize, size);
        QFETCH(int, pageLoads);
        QWidget main;
        main.setFixedSize(mainWindowNormalSize); // as the main window is made
        WeatherPanel panel(&main, server_.url("/forecast"));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const WId window = main.winId();
        int loads = 0;
        for (const QString& click : clicks) {
            if (click == QLatin1String("13"))
                panel.ShowWeatherPanel();
            else
                main.findChild<QPushButton*>(QStringLiteral("按钮") + click)->click();
            if (click != QLatin1String("21")) {
                ++loads;
                QVERIFY(runUntil([&] { return panel.browser()->loads() >= loads; }));
            }
        }
        QCOMPARE(main.size(), size);
        // The page never makes the window anew (a new X window vanishes and reappears on the desktop).
        QCOMPARE(main.winId(), window);
        // The user still cannot resize the main window.
        QCOMPARE(main.minimumSize(), size);
        QCOMPARE(main.maximumSize(), size);
        QCOMPARE(panel.browser()->loads(), pageLoads);
        QCOMPARE(panel.browser()->loadedUrl().path(), QStringLiteral("/forecast"));
        const QRect shown(QPoint(0, 0), size);
        // The panel's controls are wholly in view when the window is tall, and not a pixel of them
        // otherwise.
        for (const QWidget* control :
             {static_cast<QWidget*>(panel.browser()), main.findChild<QWidget*>(QStringLiteral("按钮20")),
              main.findChild<QWidget*>(QStringLiteral("按钮21"))}) {
            QCOMPARE(shown.contains(control->geometry()), size == mainWindowWeatherSize);
            QCOMPARE(shown.intersects(control->geometry()), size == mainWindowWeatherSize);
        }
    }
};

ORVANE_TEST(WeatherPanelTest)
#include "test_WeatherPanel.moc"
