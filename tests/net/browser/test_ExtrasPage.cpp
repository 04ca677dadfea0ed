// The "扩展功能" page, the news and finance windows and the weather window, against loopback pages.
#include "BrowserTestSupport.h"
#include "FakeClock.h"
#include "TestRegistry.h"
#include "app/ExtrasPage.h"
#include "net/FinanceWindow.h"
#include "net/NewsWindow.h"
#include "net/WeatherWindow.h"
#include "net/WebBrowserWindow.h"
#include "net/WebShortcuts.h"
#include "platform/WindowCaption.h"

#include <QPushButton>

#include <array>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

class ExtrasPageTest : public QObject {
    Q_OBJECT
    LinkPages server_;
    FakeClock clock_;

    // Every shortcut on its own loopback path, so a page shows which button's address was used.
    WebShortcuts sites() const {
        WebShortcuts s;
        s.perpetualCalendar = server_.url("/calendar");
        s.todayInHistory = server_.url("/today/index.asp");
        s.weatherWidget = server_.url("/static/custom/custom.html");
        s.weatherForecast = server_.url("/forecast");
        s.onlineTv = server_.url("/tv");
        s.speedTest = server_.url("/speed");
        s.numberLocation = server_.url("/location");
        for (int i = 1; i <= 15; ++i)
            s.news.append(server_.url("/news" + QByteArray::number(i)));
        for (int i = 1; i <= 8; ++i)
            s.finance.append(server_.url("/finance" + QByteArray::number(i)));
        return s;
    }

private slots:
    void shortcut_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QByteArray>("requested"); // the request target on the wire
        const QDate any(2024, 6, 1);
        QTest::newRow("按钮4 万年历") << 4 << any << QByteArray("/calendar");
        QTest::newRow("按钮10 在线电视") << 10 << any << QByteArray("/tv");
        QTest::newRow("按钮9 网速测试") << 9 << any << QByteArray("/speed");
        QTest::newRow("按钮16 IP地址归属") << 16 << any << QByteArray("/location");
        QTest::newRow("按钮15 手机号归属 shows the IP lookup's page") << 15 << any << QByteArray("/location");
        // 月 is D4 C2 and 日 C8 D5 in GBK; UTF-8 would send %E6%9C%88 and %E6%97%A5.
        QTest::newRow("历史上的今天 on 15 December: key 12月15日 in GBK")
            << 2 << QDate(2024, 12, 15) << QByteArray("/today/index.asp?key=12%D4%C215%C8%D5");
        QTest::newRow("历史上的今天 on 1 January: key 1月1日, no leading zeros")
            << 2 << QDate(2025, 1, 1) << QByteArray("/today/index.asp?key=1%D4%C21%C8%D5");
    }
    void shortcut() {
        QFETCH(int, button);
        QFETCH(QDate, today);
        QFETCH(QByteArray, requested);
        clock_.set(today, QTime(12, 0));
        QWidget page;
        ShownWindows shown;
        ExtrasPage extras(&page, sites(), clock_, shown.runner());
        extras.button(button)->click();

        auto* window = shown.last<WebBrowserWindow>();
        QVERIFY2(window, "no browser window opened");
        QCOMPARE(webUrl(window->startPage()).toEncoded(), webUrl(server_.url(requested)).toEncoded());
        const QString path = webUrl(server_.url(requested)).path();
        QVERIFY(waitForPage(window->browser(), path));
        QVERIFY(server_.paths().contains(requested));
        shown.closeAll();
    }

    void otherFeatures_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("feature"); // index into features()
        QTest::newRow("按钮1 网络校时") << 1 << 0;
        QTest::newRow("按钮3 生辰八字") << 3 << 1;
        QTest::newRow("按钮6 十二时辰表") << 6 << 2;
        QTest::newRow("按钮7 天干地支表") << 7 << 3;
        QTest::newRow("按钮8 星座日期") << 8 << 4;
        QTest::newRow("按钮14 日期计算") << 14 << 5;
    }
    // Each button of another feature asks for that feature, and for no other one, and opens no window.
    void otherFeatures() {
        QFETCH(int, button);
        QFETCH(int, feature);
        QWidget page;
        ShownWindows shown;
        ExtrasPage extras(&page, sites(), clock_, shown.runner());
        const std::array features{&ExtrasPage::calibrateTimeRequested, &ExtrasPage::lunarLookupRequested,
                                  &ExtrasPage::hourTableRequested,     &ExtrasPage::stemBranchTableRequested,
                                  &ExtrasPage::zodiacTableRequested,   &ExtrasPage::dateCalculatorRequested};
        QList<int> asked;
        for (int i = 0; i < int(features.size()); ++i)
            connect(&extras, features[i], this, [&asked, i] { asked.append(i); });
        extras.button(button)->click();
        QCOMPARE(asked, QList<int>{feature});
        QVERIFY(shown.windows.isEmpty());
    }

    void buttonsDoNotOverlap() {
        QWidget page;
        page.resize(373, 245);
        ExtrasPage extras(&page, sites(), clock_, ShownWindows().runner());
        const QList<QPushButton*> buttons = page.findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 15);
        for (QPushButton* a : buttons) {
            QVERIFY2(page.rect().contains(a->geometry()), qPrintable(a->text()));
            for (QPushButton* b : buttons)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->text() + b->text()));
        }
    }

    // 新闻阅读 → 新华网 → close the browser: the news window stays, and 腾讯 then shows its own page.
    void newsChain() {
        QWidget page;
        ShownWindows shown;
        ExtrasPage extras(&page, sites(), clock_, shown.runner());
        extras.button(12)->click();
        QPointer<NewsWindow> news = shown.last<NewsWindow>();
        QVERIFY(news);
        news->findChild<QPushButton*>(QStringLiteral("按钮5"))->click(); // 新华网
        auto* first = shown.last<WebBrowserWindow>();
        QVERIFY(first && first->parent() == news);
        QCOMPARE(first->windowTitle(), orvane::noCaption()); // never Qt's fallback, the program's name
        QVERIFY(waitForPage(first->browser(), QStringLiteral("/news5")));
        first->OnToolbarClick(3);
        QTRY_VERIFY(shown.windows.last().isNull());
        QVERIFY(news && news->isVisible());

        news->findChild<QPushButton*>(QStringLiteral("按钮12"))->click(); // 腾讯
        auto* second = shown.last<WebBrowserWindow>();
        QVERIFY(waitForPage(second->browser(), QStringLiteral("/news12")));
        QVERIFY(followLink(second->browser(), server_));
        QVERIFY(waitForPage(second->browser(), QStringLiteral("/news12-link")));
        second->OnToolbarClick(0);
        QVERIFY(waitForPage(second->browser(), QStringLiteral("/news12")));
        shown.closeAll();
    }

    void siteButtons_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("captionsByPlace"); // row by row, left to right
        QTest::addColumn<QList<int>>("sitesByPlace");
        QTest::newRow("news: buttons 1 to 15 row by row")
            << "news"
            << QStringList{u"百度资讯"_s, u"谷歌资讯"_s, u"中华军事"_s, u"凤凰网"_s,   u"新华网"_s,
                           u"人民网"_s,   u"联合早报"_s, u"南方周末"_s, u"天涯杂谈"_s, u"网易贴图"_s,
                           u"质检报告"_s, u"腾讯"_s,     u"搜狐"_s,     u"政府网"_s,   u"汽车之家"_s}
            << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
        QTest::newRow("finance: second row runs 8, 7, 6, 5")
            << "finance" << QStringList{u"和讯股票"_s, u"东方财富"_s, u"证券之星"_s, u"中国证券"_s,
                                        u"金融之星"_s, u"中金在线"_s, u"金融界"_s,   u"外汇牌价"_s}
            << QList<int>{1, 2, 3, 4, 8, 7, 6, 5};
    }
    // Each button by its place on the grid: its caption, and the page its browser window starts on.
    void siteButtons() {
        QFETCH(QString, window);
        QFETCH(QStringList, captionsByPlace);
        QFETCH(QList<int>, sitesByPlace);
        // No page is needed here: without the module every window opens at once with its message.
        WithoutModule noModule;
        ShownWindows shown;
        const bool news = window == QLatin1String("news");
        QDialog* list = news ? static_cast<QDialog*>(new NewsWindow(sites(), shown.runner()))
                             : new FinanceWindow(sites(), shown.runner());
        QList<QPushButton*> buttons;
        for (QPushButton* b : list->findChildren<QPushButton*>())
            if (b->text() != QStringLiteral("关闭"))
                buttons.append(b);
        std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        QCOMPARE(buttons.size(), captionsByPlace.size());
        for (int i = 0; i < buttons.size(); ++i) {
            QCOMPARE(buttons[i]->text(), captionsByPlace[i]);
            buttons[i]->click();
            const QByteArray expected =
                server_.url((news ? "/news" : "/finance") + QByteArray::number(sitesByPlace[i]));
            QCOMPARE(shown.last<WebBrowserWindow>()->startPage(), expected);
        }
        QCOMPARE(shown.windows.size(), buttons.size());
        QVERIFY(shown.last<WebBrowserWindow>()->parent() == list); // on top of the list window
        shown.closeAll();
        delete list;
    }

    void weatherWindow() {
        QWidget page;
        ShownWindows shown;
        ExtrasPage extras(&page, sites(), clock_, shown.runner());
        extras.button(5)->click();
        auto* weather = shown.last<WeatherWindow>();
        QVERIFY(weather);
        QCOMPARE(weather->windowTitle(), orvane::noCaption());
        QVERIFY(waitForPage(weather->browser(), QStringLiteral("/static/custom/custom.html")));
        QPointer<WeatherWindow> guard(weather);
        weather->findChild<QPushButton*>(QStringLiteral("按钮1"))->click();
        QTRY_VERIFY(guard.isNull());
    }
};

ORVANE_TEST(ExtrasPageTest)
#include "test_ExtrasPage.moc"
