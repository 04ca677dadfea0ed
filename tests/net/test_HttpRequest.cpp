// The HTTP exchange against loopback servers: the exact request bytes, proxies, response headers,
// chunked reading with live events, nested requests and every way a server can fail.
#include "LoopbackHttpServer.h"
#include "TestRegistry.h"
#include "common/GbkText.h"
#include "net/HttpRequest.h"
#include "net/InternetLayer.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace orvane;
using orvane::test::LoopbackHttpServer;

namespace {

const QByteArray kAgent = "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
const QByteArray kAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";

QList<QByteArray> headLines(const QByteArray& request) {
    return request.left(request.indexOf("\r\n\r\n")).split('\n');
}

QByteArray bodyOf(const QByteArray& request) {
    return request.mid(request.indexOf("\r\n\r\n") + 4);
}

QList<QByteArray> trimmed(QList<QByteArray> lines) {
    for (QByteArray& line : lines)
        line = line.trimmed();
    return lines;
}

quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort(); // closed again when probe goes
}

} // namespace

class HttpRequestTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(inet::openHandleCount(), 0); }

    // Lines after the request line and Host; "$URL" stands for the requested address.
    void requestBytes_data() {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("headers");
        QTest::addColumn<QByteArray>("postData");
        QTest::addColumn<QByteArray>("verbSent");
        QTest::addColumn<QByteArray>("methodAfter");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<QByteArray>("body");
        const QByteArray gbkBody = "name=" + gbk::encode(QStringLiteral("张三")) + "&a=b";
        QTest::newRow("post: defaults in order, GBK length in bytes")
            << QByteArray("POST") << QByteArray() << gbkBody << QByteArray("POST") << QByteArray("POST")
            << QList<QByteArray>{kAccept, "Referer: $URL", "Accept-Language: zh-cn",
                                 "Content-Type: application/x-www-form-urlencoded", "Content-Length: 13"}
            << gbkBody;
        QTest::newRow("lower-case post is sent as written, with form lines")
            << QByteArray("post") << QByteArray() << QByteArray("a=1") << QByteArray("post")
            << QByteArray("post")
            << QList<QByteArray>{kAccept, "Referer: $URL", "Accept-Language: zh-cn",
                                 "Content-Type: application/x-www-form-urlencoded", "Content-Length: 3"}
            << QByteArray("a=1");
        QTest::newRow("any other method becomes GET without a body")
            << QByteArray("PUT") << QByteArray() << QByteArray("a=1") << QByteArray("GET")
            << QByteArray("GET") << QList<QByteArray>{kAccept, "Referer: $URL", "Accept-Language: zh-cn"}
            << QByteArray();
        QTest::newRow("empty method becomes GET")
            << QByteArray() << QByteArray() << QByteArray() << QByteArray("GET") << QByteArray("GET")
            << QList<QByteArray>{kAccept, "Referer: $URL", "Accept-Language: zh-cn"} << QByteArray();
        QTest::newRow("caller's lower-case Accept-Language kept, no second one")
            << QByteArray("POST") << QByteArray("accept-language: en\r\n") << QByteArray("x=1")
            << QByteArray("POST") << QByteArray("POST")
            << QList<QByteArray>{"accept-language: en", kAccept, "Referer: $URL",
                                 "Content-Type: application/x-www-form-urlencoded", "Content-Length: 3"}
            << QByteArray("x=1");
        QTest::newRow("caller's Content-Type is followed by a second one")
            << QByteArray("POST") << QByteArray("Content-Type: text/plain\r\nAccept: */*\r\n")
            << QByteArray("x=1") << QByteArray("POST") << QByteArray("POST")
            << QList<QByteArray>{"Content-Type: text/plain",
                                 "Accept: */*",
                                 "Referer: $URL",
                                 "Accept-Language: zh-cn",
                                 "Content-Type: application/x-www-form-urlencoded",
                                 "Content-Length: 3"}
            << QByteArray("x=1");
        QTest::newRow("post without a body sends no form lines")
            << QByteArray("POST") << QByteArray() << QByteArray() << QByteArray("POST") << QByteArray("POST")
            << QList<QByteArray>{kAccept, "Referer: $URL", "Accept-Language: zh-cn"} << QByteArray();
    }
    void requestBytes() {
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, headers);
        QFETCH(QByteArray, postData);
        QFETCH(QByteArray, verbSent);
        QFETCH(QByteArray, methodAfter);
        QFETCH(QList<QByteArray>, lines);
        QFETCH(QByteArray, body);
        LoopbackHttpServer server;
        server.setBody("ok");
        const QByteArray url = server.url("/form/Add.asp?x=1");

        QByteArray headersInOut = headers;
        QCOMPARE(HttpRequest(url, &method, std::nullopt, &headersInOut, postData), "ok");
        QCOMPARE(method, methodAfter);
        QVERIFY(headersInOut.startsWith(headers)); // the caller's variable gets the defaults too

        QCOMPARE(server.requests().size(), 1);
        const QByteArray request = server.requests().first();
        QList<QByteArray> expected{verbSent + " /form/Add.asp?x=1 HTTP/1.1",
                                   "Host: 127.0.0.1:" + QByteArray::number(server.port()), kAgent};
        for (QByteArray line : lines)
            expected << line.replace("$URL", url);
        expected << "Cache-Control: no-cache"
                 << "Pragma: no-cache";
        QCOMPARE(trimmed(headLines(request)), expected);
        QCOMPARE(bodyOf(request), body);
    }

    void proxyReceivesTheRequest() {
        LoopbackHttpServer proxy;
        proxy.setBody("via proxy");
        const QByteArray answer = HttpRequest("http://far.example:8080/p?q=1", nullptr,
                                              "127.0.0.1:" + QByteArray::number(proxy.port()));
        QCOMPARE(answer, "via proxy");
        QCOMPARE(proxy.requests().size(), 1);
        QVERIFY(proxy.requests().first().startsWith("GET http://far.example:8080/p?q=1 HTTP/1.1\r\n"));
    }

    void noProxyMeansDirectWhateverTheEnvironmentSays() {
        LoopbackHttpServer server, proxy;
        server.setBody("direct");
        proxy.setBody("proxy");
        qputenv("http_proxy", proxy.url());
        const QByteArray answer = HttpRequest(server.url());
        qunsetenv("http_proxy");
        QCOMPARE(answer, "direct");
        QCOMPARE(proxy.requests().size(), 0);
    }

    void responseHeaders_data() {
        QTest::addColumn<int>("extraHeaderBytes");
        QTest::addColumn<bool>("fits");
        QTest::newRow("short block is returned raw") << 10 << true;
        QTest::newRow("block over 1023 bytes leaves 1024 blanks") << 1100 << false;
    }
    void responseHeaders() {
        QFETCH(int, extraHeaderBytes);
        QFETCH(bool, fits);
        LoopbackHttpServer server;
        const QByteArray block = "HTTP/1.1 200 OK\r\nX-Long: " + QByteArray(extraHeaderBytes, 'a') +
                                 "\r\nContent-Length: 4\r\n\r\n";
        server.setRaw(block + "body");
        QByteArray received;
        QCOMPARE(HttpRequest(server.url(), nullptr, std::nullopt, nullptr, {}, &received), "body");
        QCOMPARE(received, fits ? block : QByteArray(1024, ' '));
    }

    void bodyEndsAtItsFirstZeroByte() {
        LoopbackHttpServer server;
        server.setBody(QByteArray("before\0after", 12));
        QCOMPARE(HttpRequest(server.url()), "before");
        QCOMPARE(FetchPage(server.url()), QByteArray("before\0after", 12)); // the caller cuts
    }

    void slowBodyKeepsEventsRunning() {
        LoopbackHttpServer server;
        QByteArray body;
        for (int i = 0; i < 1300; ++i)
            body += char('a' + i % 26);
        server.setBody(body);
        server.setChunking(200, 10);
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
        ticker.start(5);
        QCOMPARE(HttpRequest(server.url()), body);
        QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
    }

    void requestNestedInsideAnotherKeepsBothApart() {
        LoopbackHttpServer outer, inner;
        outer.setBody(QByteArray(1000, 'o'));
        outer.setChunking(100, 10);
        inner.setBody("inner body");
        QByteArray innerAnswer;
        QTimer::singleShot(15, this, [&] { innerAnswer = HttpRequest(inner.url()); });
        QCOMPARE(HttpRequest(outer.url()), QByteArray(1000, 'o'));
        QCOMPARE(innerAnswer, "inner body");
    }

    void failuresGiveWhatArrived_data() {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("error status: its body all the same")
            << QByteArray("HTTP/1.1 500 Oops\r\nContent-Length: 5\r\n\r\nerror") << QByteArray("error");
        QTest::newRow("closed mid-body: what arrived")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nhalf") << QByteArray("half");
        QTest::newRow("closed before any header") << QByteArray() << QByteArray();
        QTest::newRow("garbage instead of HTTP") << QByteArray("\x01\x02garbage\r\n\r\n") << QByteArray();
    }
    void failuresGiveWhatArrived() {
        QFETCH(QByteArray, raw);
        QFETCH(QByteArray, expected);
        LoopbackHttpServer server;
        server.setRaw(raw);
        QCOMPARE(HttpRequest(server.url(), nullptr, std::nullopt, nullptr, {}), expected);
    }

    void unreachableAddressesGiveNothing_data() {
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<QByteArray>("responseHeaders");
        QTest::newRow("refused connection: headers asked for, none came")
            << "http://127.0.0.1:" + QByteArray::number(closedPort()) + "/" << QByteArray(1024, ' ');
        QTest::newRow("no host: nothing asked at all") << QByteArray("/path") << QByteArray("untouched");
    }
    void unreachableAddressesGiveNothing() {
        QFETCH(QByteArray, url);
        QFETCH(QByteArray, responseHeaders);
        QByteArray method = "POST", received = "untouched";
        QCOMPARE(HttpRequest(url, &method, std::nullopt, nullptr, "a=1", &received), "");
        QCOMPARE(received, responseHeaders);
        QCOMPARE(FetchPage(url), "");
    }

    void fetchPageAsksPlainlyWithHttp10() {
        LoopbackHttpServer server;
        server.setBody("page");
        QCOMPARE(FetchPage(server.url("/stime.asp")), "page");
        const QList<QByteArray> lines = trimmed(headLines(server.requests().value(0)));
        QCOMPARE(lines.value(0), "GET /stime.asp HTTP/1.0");
        QVERIFY(lines.contains("Accept: */*"));
        QVERIFY(lines.contains("Cache-Control: no-cache"));
        QVERIFY(lines.contains(kAgent));
    }

    // A silent server ends the exchange after the receive time-out (short here) with nothing read.
    void silentServerTimesOut() {
        LoopbackHttpServer server;
        server.setSilent(true);
        inet::Handle root = inet::InternetOpen("t", inet::OpenTypeDirect, "", "", 0);
        inet::Handle connection =
            inet::InternetConnect(root, "127.0.0.1", server.port(), "", "", inet::ServiceHttp, 0, 0);
        inet::Handle request = inet::HttpOpenRequest(connection, "GET", "/", "HTTP/1.1", {}, {}, 0, 0);
        inet::InternetSetOption(request, inet::OptionReceiveTimeout, 200);
        inet::InternetSetOption(request, inet::OptionSendTimeout, 200);
        QElapsedTimer waited;
        waited.start();
        QVERIFY(!inet::HttpSendRequest(request, {}, {}));
        char chunk[512];
        int read = -1;
        QVERIFY(!inet::InternetReadFile(request, chunk, 512, &read));
        QCOMPARE(read, 0);
        QVERIFY(waited.elapsed() < 5000);
        for (inet::Handle h : {root, connection, request})
            QVERIFY(inet::InternetCloseHandle(h));
    }

    // An endless body arrives piece by piece; reading part of it and closing neither hangs nor hoards.
    void endlessBodyCanBeAbandoned() {
        LoopbackHttpServer server;
        server.setEndless(4096, 1);
        inet::Handle root = inet::InternetOpen("t", inet::OpenTypeDirect, "", "", 0);
        inet::Handle connection =
            inet::InternetConnect(root, "127.0.0.1", server.port(), "", "", inet::ServiceHttp, 0, 0);
        inet::Handle request = inet::HttpOpenRequest(connection, "GET", "/", "HTTP/1.1", {}, {}, 0, 0);
        QVERIFY(inet::HttpSendRequest(request, {}, {}));
        qint64 total = 0;
        char chunk[512];
        int read = 0;
        while (total < 300 * 1024 && inet::InternetReadFile(request, chunk, 512, &read) && read > 0)
            total += read;
        QVERIFY(total >= 300 * 1024);
        for (inet::Handle h : {request, connection, root})
            QVERIFY(inet::InternetCloseHandle(h));
    }

    void proxyListWithoutHttpEntryFails() {
        QCOMPARE(inet::InternetOpen("t", inet::OpenTypeProxy, "http=", "", 0), nullptr);
        QCOMPARE(HttpRequest("http://127.0.0.1:1/", nullptr, QByteArray()), "");
    }
};

ORVANE_TEST(HttpRequestTest)
#include "test_HttpRequest.moc"
