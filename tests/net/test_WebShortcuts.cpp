// The today-in-history key in GBK, GBK addresses on the wire, the shortcut pages and the size rule.
#include "TestRegistry.h"
#include "common/GbkText.h"
#include "net/BrowserLayout.h"
#include "net/WebShortcuts.h"

#include <QtTest>

using namespace orvane;

class WebShortcutsTest : public QObject {
    Q_OBJECT
private slots:
    void historyAddress_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("key");
        QTest::newRow("two-digit month and day: 12月15日") << QDate(2024, 12, 15) << "12月15日";
        QTest::newRow("1 January without leading zeros: 1月1日") << QDate(2025, 1, 1) << "1月1日";
        QTest::newRow("5 March: month before day, 3月5日") << QDate(2024, 3, 5) << "3月5日";
        QTest::newRow("29 February of a leap year") << QDate(2024, 2, 29) << "2月29日";
    }
    void historyAddress() {
        QFETCH(QDate, date);
        QFETCH(QString, key);
        const QByteArray address = todayInHistoryAddress("http://h/today/index.asp", date);
        QCOMPARE(address, QByteArray("http://h/today/index.asp?key=" + gbk::encode(key)));
        // GBK, not UTF-8: each of 月 and 日 is two bytes.
        QCOMPARE(address.size(), qsizetype(29 + key.size() + 2));
    }

    void addressOnTheWire_data() {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("月 and 日 go as their GBK bytes, not UTF-8")
            << QByteArray("http://h/today/index.asp?key=" + gbk::encode(QStringLiteral("12月15日")))
            << QByteArray("http://h/today/index.asp?key=12%D4%C215%C8%D5");
        QTest::newRow("plain ASCII address unchanged")
            << QByteArray("https://www.ip138.com/") << QByteArray("https://www.ip138.com/");
        QTest::newRow("query with & and = kept as they are")
            << QByteArray("https://news.google.com/?hl=zh-CN&gl=CN&ceid=CN:zh-Hans")
            << QByteArray("https://news.google.com/?hl=zh-CN&gl=CN&ceid=CN:zh-Hans");
        QTest::newRow("a space is encoded, not cut")
            << QByteArray("http://h/a b") << QByteArray("http://h/a%20b");
        QTest::newRow("port kept") << QByteArray("http://127.0.0.1:8080/x")
                                   << QByteArray("http://127.0.0.1:8080/x");
    }
    void addressOnTheWire() {
        QFETCH(QByteArray, address);
        QFETCH(QByteArray, encoded);
        const QUrl url = webUrl(address);
        QVERIFY2(url.isValid(), qPrintable(url.errorString()));
        QCOMPARE(url.toEncoded(), encoded);
    }

    void standardPages() {
        const WebShortcuts s = WebShortcuts::standard();
        QCOMPARE(s.news.size(), 15);
        QCOMPARE(s.finance.size(), 8);
        QList<QByteArray> all = s.news + s.finance;
        all << s.perpetualCalendar << s.todayInHistory << s.weatherWidget << s.weatherForecast << s.onlineTv
            << s.speedTest << s.numberLocation;
        QSet<QByteArray> seen;
        for (const QByteArray& page : all) {
            const QUrl url = webUrl(page);
            QVERIFY2(url.isValid() && !url.host().isEmpty(), page.constData());
            QVERIFY2(url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"),
                     page.constData());
            QVERIFY2(!seen.contains(page), QByteArray("two shortcuts share a page: " + page).constData());
            seen.insert(page);
        }
        QVERIFY(s.weatherWidget.endsWith("/static/custom/custom.html"));
    }

    void browserWindowRule_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("control");
        // Toolbar 工具条1 at 0,0 403x57: the control starts at 59 and is 63 shorter than the window.
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QRect(25, 25, 1820, 980)
                                   << QRect(0, 59, 1820, 917);
        QTest::newRow("1280x800") << QSize(1280, 800) << QRect(25, 25, 1180, 700) << QRect(0, 59, 1180, 637);
        QTest::newRow("1024x768: width and height not swapped")
            << QSize(1024, 768) << QRect(25, 25, 924, 668) << QRect(0, 59, 924, 605);
    }
    void browserWindowRule() {
        QFETCH(QSize, screen);
        QFETCH(QRect, window);
        QFETCH(QRect, control);
        QCOMPARE(browserWindowGeometry(screen), window);
        QCOMPARE(browserControlGeometry(window.size(), QRect(0, 0, 403, 57)), control);
    }

    void controlFollowsToolbar() {
        // A toolbar placed lower moves the control down by as much and keeps it 6 above the bottom margin.
        QCOMPARE(browserControlGeometry(QSize(800, 600), QRect(0, 10, 403, 40)), QRect(0, 52, 800, 554));
    }
};

ORVANE_TEST(WebShortcutsTest)
#include "test_WebShortcuts.moc"
