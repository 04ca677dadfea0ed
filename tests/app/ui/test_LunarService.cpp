// Test of the lunar lookup's HTTP path: the form posted to a loopback service, the lines cut from its
// answer, and a window closed before the answer came.
#include "app/LunarService.h"
#include "common/GbkText.h"
#include "tests/support/FakeClock.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace Qt::StringLiterals;

class LunarService : public QObject {
    Q_OBJECT
private slots:
    void postsTheFormAndCutsTheAnswer_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("lines");
        const QString filled = u"公历：2010年3月5日\r\n农历：正月二十\r\n四柱：庚寅 戊寅\r\n节气：雨水后\r\n"
                               u"二十八宿：角木蛟\r\n甲子纳音：松柏木\r\n距今：今天\r\n"_s;
        QTest::newRow("a page in the service's shape, GBK and in pieces")
            << orvane::gbk::encode(
                   u"<td>公历：b>= 2010年3月5日</td><td>农历：....正月二十<br>四柱：xxxx庚寅 戊寅&nbsp;"
                   u"节气：    雨水后<二十八宿：    角木蛟<甲子纳音：    松柏木<距今：    今天</td>"_s)
            << filled;
        QTest::newRow("an answer without markers gives seven empty lines")
            << QByteArray("<html>busy</html>")
            << u"公历：\r\n农历：\r\n四柱：\r\n节气：\r\n二十八宿：\r\n甲子纳音：\r\n距今：\r\n"_s;
    }
    void postsTheFormAndCutsTheAnswer() {
        QFETCH(QByteArray, page);
        QFETCH(QString, lines);
        orvane::test::LoopbackHttpServer server;
        server.setBody(page, "text/html; charset=gb2312");
        server.setChunking(7, 1); // the answer arrives in pieces while events run
        orvane::test::FakeClock clock(QDateTime(QDate(2010, 3, 5), QTime(9, 0)));
        orvane::LunarLookupWindow w(clock, orvane::lunarFetch(server.url("/item3/searchNL.asp"), clock),
                                    server.url("/item3/searchNL.asp"));
        QTRY_COMPARE(w.resultText(), lines);
        QCOMPARE(server.requests().size(), 1);
        const QByteArray request = server.requests().first();
        QVERIFY2(request.startsWith("POST /item3/searchNL.asp HTTP/1."), request.constData());
        QVERIFY(request.endsWith("\r\n\r\nyear=2010&month=3&day=5&image.x=8&image.y=9"));
        QVERIFY(request.contains("Content-Length: 43\r\n"));
    }

    // The answer reaches a window that is gone: dropped, and nothing touches the window.
    void windowClosedBeforeTheAnswer() {
        orvane::test::LoopbackHttpServer server;
        server.setBody("<html></html>");
        server.holdAnswers();
        orvane::test::FakeClock clock(QDateTime(QDate(2010, 3, 5), QTime(9, 0)));
        bool answered = false;
        const orvane::PageFetch fetch = orvane::lunarFetch(server.url(), clock);
        auto* w = new orvane::LunarLookupWindow(
            clock,
            [&](const orvane::PageRequest& request, auto done) {
                fetch(request, [&answered, done](const QByteArray& page) {
                    answered = true;
                    done(page);
                });
            },
            server.url());
        QTRY_COMPARE(server.requests().size(), 1);
        delete w;
        server.releaseAnswers();
        QTRY_VERIFY(answered);
    }

    void unreachableServiceGivesSevenMarkers() {
        quint16 port = 0;
        {
            orvane::test::LoopbackHttpServer closed; // a port that was just free and is closed again
            port = closed.port();
        }
        orvane::test::FakeClock clock;
        const QByteArray url = "http://127.0.0.1:" + QByteArray::number(port) + "/item3/searchNL.asp";
        orvane::LunarLookupWindow w(clock, orvane::lunarFetch(url, clock), url);
        QTRY_COMPARE(w.resultText(),
                     u"公历：\r\n农历：\r\n四柱：\r\n节气：\r\n二十八宿：\r\n甲子纳音：\r\n距今：\r\n"_s);
    }

    void noAddressUsesTheBuiltInService() {
        orvane::test::FakeClock clock(QDateTime(QDate(2010, 3, 5), QTime(9, 0)));
        orvane::LunarLookupWindow w(clock, orvane::lunarFetch(QByteArray(), clock), QByteArray());
        QVERIFY(w.resultText().startsWith(u"公历：2010年3月5日 星期五\r\n"_s));
        QVERIFY(w.resultText().endsWith(u"距今：今天\r\n"_s));
    }
};

ORVANE_TEST(LunarService)
#include "test_LunarService.moc"
