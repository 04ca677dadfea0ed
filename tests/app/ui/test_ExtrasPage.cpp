// The "扩展功能" page and the news and finance windows: which browser window each button opens, on which
// page and over which window (the windows themselves are tested with the engine in tests/net/browser).
#include "FakeClock.h"
#include "TestRegistry.h"
#include "app/ExtrasPage.h"
#include "net/FinanceWindow.h"
#include "net/NewsWindow.h"
#include "net/WebShortcuts.h"

#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <array>

using namespace orvane;
using namespace orvane::test;
using browserProtocol::PageKind;
using namespace Qt::Literals::StringLiterals;

namespace {

// Records the browser windows asked for instead of opening them.
struct RecordedBrowserWindows : BrowserWindows {
    struct Opened {
        PageKind kind;
        QByteArray address;
        QWidget* opener;
    };
    QList<Opened> opened;
    void open(PageKind kind, const QByteArray& address, QWidget* opener) override {
        opened.append({kind, address, opener});
    }
};

// Runs every window of the program the page opens by showing it, and keeps it for the test to look at.
struct ShownWindows {
    QList<QPointer<QDialog>> windows;
    ModalRunner runner() {
        return [this](QDialog* window) {
            windows.append(window);
            window->show();
        };
    }
    ~ShownWindows() {
        for (const QPointer<QDialog>& w : windows)
            delete w.data();
    }
};

} // namespace

class ExtrasPageTest : public QObject {
    Q_OBJECT
    FakeClock clock_;

    // Every shortcut on its own path, so an address shows which button's was used.
    static WebShortcuts sites() {
        WebShortcuts s;
        s.perpetualCalendar = "http://h/calendar";
        s.todayInHistory = "http://h/today/index.asp";
        s.weatherWidget = "http://h/static/custom/custom.html";
        s.weatherForecast = "http://h/forecast";
        s.onlineTv = "http://h/tv";
        s.speedTest = "http://h/speed";
        s.numberLocation = "http://h/location";
        for (int i = 1; i <= 15; ++i)
            s.news.append("http://h/news" + QByteArray::number(i));
        for (int i = 1; i <= 8; ++i)
            s.finance.append("http://h/finance" + QByteArray::number(i));
        return s;
    }

private slots:
    void shortcut_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("requested"); // the request target on the wire
        const QDate any(2024, 6, 1);
        const int browser = int(PageKind::BrowserWindow);
        QTest::newRow("按钮4 万年历") << 4 << any << browser << QByteArray("/calendar");
        QTest::newRow("按钮10 在线电视") << 10 << any << browser << QByteArray("/tv");
        QTest::newRow("按钮9 网速测试") << 9 << any << browser << QByteArray("/speed");
        QTest::newRow("按钮16 IP地址归属") << 16 << any << browser << QByteArray("/location");
        QTest::newRow("按钮15 手机号归属 shows the IP lookup's page")
            << 15 << any << browser << QByteArray("/location");
        // 月 is D4 C2 and 日 C8 D5 in GBK; UTF-8 would send %E6%9C%88 and %E6%97%A5.
        QTest::newRow("历史上的今天 on 15 December: key 12月15日 in GBK")
            << 2 << QDate(2024, 12, 15) << browser << QByteArray("/today/index.asp?key=12%D4%C215%C8%D5");
        QTest::newRow("历史上的今天 on 1 January: key 1月1日, no leading zeros")
            << 2 << QDate(2025, 1, 1) << browser << QByteArray("/today/index.asp?key=1%D4%C21%C8%D5");
        QTest::newRow("按钮5 天气预报: the weather window with the forecast widget")
            << 5 << any << int(PageKind::WeatherWindow) << QByteArray("/static/custom/custom.html");
    }
    void shortcut() {
        QFETCH(int, button);
        QFETCH(QDate, today);
        QFETCH(int, kind);
        QFETCH(QByteArray, requested);
        clock_.set(today, QTime(12, 0));
        QWidget window;
        auto* page = new QWidget(&window);
        RecordedBrowserWindows browsers;
        ShownWindows shown;
        ExtrasPage extras(page, sites(), clock_, browsers, shown.runner());
        extras.button(button)->click();

        QCOMPARE(browsers.opened.size(), 1);
        QCOMPARE(int(browsers.opened[0].kind), kind);
        QCOMPARE(webUrl(browsers.opened[0].address).toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority),
                 requested);
        QCOMPARE(browsers.opened[0].opener, &window); // over the main window, not over the page
        QVERIFY(shown.windows.isEmpty());
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
        RecordedBrowserWindows browsers;
        ShownWindows shown;
        ExtrasPage extras(&page, sites(), clock_, browsers, shown.runner());
        const std::array features{&ExtrasPage::calibrateTimeRequested, &ExtrasPage::lunarLookupRequested,
                                  &ExtrasPage::hourTableRequested,     &ExtrasPage::stemBranchTableRequested,
                                  &ExtrasPage::zodiacTableRequested,   &ExtrasPage::dateCalculatorRequested};
        QList<int> asked;
        for (int i = 0; i < int(features.size()); ++i)
            connect(&extras, features[i], this, [&asked, i] { asked.append(i); });
        extras.button(button)->click();
        QCOMPARE(asked, QList<int>{feature});
        QVERIFY(shown.windows.isEmpty());
        QVERIFY(browsers.opened.isEmpty());
    }

    void buttonsDoNotOverlap() {
        QWidget page;
        page.resize(373, 245);
        RecordedBrowserWindows browsers;
        ExtrasPage extras(&page, sites(), clock_, browsers, ShownWindows().runner());
        const QList<QPushButton*> buttons = page.findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 15);
        for (QPushButton* a : buttons) {
            QVERIFY2(page.rect().contains(a->geometry()), qPrintable(a->text()));
            for (QPushButton* b : buttons)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->text() + b->text()));
        }
    }

    // 新闻阅读 opens the news window, whose sites open over it (it stays open).
    void newsWindow() {
        QWidget page;
        RecordedBrowserWindows browsers;
        ShownWindows shown;
        ExtrasPage extras(&page, sites(), clock_, browsers, shown.runner());
        extras.button(12)->click();
        QPointer<NewsWindow> news = qobject_cast<NewsWindow*>(shown.windows.value(0).data());
        QVERIFY(news);
        news->findChild<QPushButton*>(QStringLiteral("按钮5"))->click(); // 新华网
        QVERIFY(news && news->isVisible());
        QCOMPARE(browsers.opened.size(), 1);
        QCOMPARE(browsers.opened[0].address, QByteArray("http://h/news5"));
        QCOMPARE(browsers.opened[0].opener, news.data());
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
        RecordedBrowserWindows browsers;
        const bool news = window == QLatin1String("news");
        std::unique_ptr<QDialog> list(news ? static_cast<QDialog*>(new NewsWindow(sites(), browsers))
                                           : new FinanceWindow(sites(), browsers));
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
            QCOMPARE(browsers.opened.last().address,
                     (news ? "http://h/news" : "http://h/finance") + QByteArray::number(sitesByPlace[i]));
            QCOMPARE(browsers.opened.last().opener, list.get()); // on top of the list window
        }
        QCOMPARE(browsers.opened.size(), buttons.size());
    }
};

ORVANE_TEST(ExtrasPageTest)
#include "test_ExtrasPage.moc"
