// The HTTP exchange against loopback servers: the exact request bytes, proxies, response headers,
// answers that come later while events run, redirects, cancelling and every way a server can fail.
#include "LoopbackHttpServer.h"
#include "TestRegistry.h"
#include "common/GbkText.h"
#include "net/HttpRequest.h"
#include "net/HttpTransfer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;
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

struct Reply {
    QByteArray body, headers;
    bool arrived = false;
};

// Starts the request and waits for its answer; an answer inside the call is itself a fault.
Reply request(const QByteArray& url, QByteArray* method = nullptr,
              const std::optional<QByteArray>& proxy = std::nullopt, QByteArray* headers = nullptr,
              const QByteArray& postData = {}) {
    auto reply = std::make_shared<Reply>(); // outlives a wait that gives up
    HttpRequest(
        nullptr, url,
        [reply](const QByteArray& body, const QByteArray& received) {
            *reply = {body, received, true};
        },
        method, proxy, headers, postData);
    if (reply->arrived)
        return {"answered inside the call", {}, true};
    (void)QTest::qWaitFor([&] { return reply->arrived; }, 30000); // a late answer fails the comparison
    return *reply;
}

QByteArray fetch(const QByteArray& url) {
    auto page = std::make_shared<std::optional<QByteArray>>();
    FetchPage(url, [page](const QByteArray& body) { *page = body; });
    if (*page)
        return "answered inside the call";
    (void)QTest::qWaitFor([&] { return page->has_value(); }, 30000);
    return page->value_or("no answer");
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
        QCOMPARE(request(url, &method, std::nullopt, &headersInOut, postData).body, "ok");
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
        const Reply reply = request("http://far.example:8080/p?q=1", nullptr,
                                    "127.0.0.1:" + QByteArray::number(proxy.port()));
        QCOMPARE(reply.body, "via proxy");
        QCOMPARE(proxy.requests().size(), 1);
        QVERIFY(proxy.requests().first().startsWith("GET http://far.example:8080/p?q=1 HTTP/1.1\r\n"));
    }

    void noProxyMeansDirectWhateverTheEnvironmentSays() {
        LoopbackHttpServer server, proxy;
        server.setBody("direct");
        proxy.setBody("proxy");
        qputenv("http_proxy", proxy.url());
        const Reply reply = request(server.url());
        qunsetenv("http_proxy");
        QCOMPARE(reply.body, "direct");
        QCOMPARE(proxy.requests().size(), 0);
    }

    void responseHeaders_data() {
        QTest::addColumn<int>("extraHeaderBytes");
        QTest::addColumn<bool>("fits");
        QTest::newRow("short block is returned raw") << 10 << true;
        QTest::newRow("block of 1023 bytes still fits") << 975 << true;
        QTest::newRow("block of 1024 bytes leaves 1024 blanks") << 976 << false;
    }
    void responseHeaders() {
        QFETCH(int, extraHeaderBytes);
        QFETCH(bool, fits);
        LoopbackHttpServer server;
        const QByteArray block = "HTTP/1.1 200 OK\r\nX-Long: " + QByteArray(extraHeaderBytes, 'a') +
                                 "\r\nContent-Length: 4\r\n\r\n";
        server.setRaw(block + "body");
        const Reply reply = request(server.url());
        QCOMPARE(reply.body, "body");
        QCOMPARE(reply.headers, fits ? block : QByteArray(1024, ' '));
    }

    void bodyEndsAtItsFirstZeroByte() {
        LoopbackHttpServer server;
        server.setBody(QByteArray("before\0after", 12));
        QCOMPARE(request(server.url()).body, "before");
        QCOMPARE(fetch(server.url()), "before");
    }

    // The call returns at once: ticks (the clock, the scheduler, a ringing alarm) run while the server
    // holds its answer, never inside the call.
    void answerComesLaterWhileTicksRun() {
        LoopbackHttpServer server;
        server.setBody("late");
        server.holdAnswers();
        bool insideCall = false, tickInsideCall = false;
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            ++ticks;
            tickInsideCall = tickInsideCall || insideCall;
        });
        ticker.start(1);
        QByteArray answer;
        insideCall = true;
        HttpRequest(this, server.url(),
                    [&answer](const QByteArray& body, const QByteArray&) { answer = body; });
        insideCall = false;
        QTRY_COMPARE(server.requests().size(), 1);
        QTRY_VERIFY(ticks >= 3);
        QVERIFY(answer.isEmpty());
        server.releaseAnswers();
        QTRY_COMPARE(answer, "late");
        QVERIFY(!tickInsideCall);
    }

    void requestsAtTheSameTimeKeepApart() {
        LoopbackHttpServer slow, quick;
        slow.setBody(QByteArray(1000, 's'));
        slow.setChunking(100, 2);
        quick.setBody("quick");
        QList<QByteArray> answers;
        const auto keep = [&answers](const QByteArray& body, const QByteArray&) { answers << body; };
        HttpRequest(this, slow.url(), keep);
        HttpRequest(this, quick.url(), keep);
        QTRY_COMPARE(answers.size(), 2);
        QCOMPARE(answers, (QList<QByteArray>{"quick", QByteArray(1000, 's')}));
    }

    // "$B" in a location stands for the second server's address.
    void redirects_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("location");
        QTest::addColumn<QByteArray>("requestAtB"); // head of the request the second server got
        QTest::addColumn<QByteArray>("bodyAtB");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("requestsAtA");
        QTest::newRow("302 to another port: the form becomes a GET without body or form lines")
            << 302 << QByteArray("$B/landing?x=1") << QByteArray("GET /landing?x=1 HTTP/1.1") << QByteArray()
            << QByteArray("landed") << 1;
        QTest::newRow("303 likewise")
            << 303 << QByteArray("$B/landing") << QByteArray("GET /landing HTTP/1.1") << QByteArray()
            << QByteArray("landed") << 1;
        QTest::newRow("307 keeps the POST and its body")
            << 307 << QByteArray("$B/landing") << QByteArray("POST /landing HTTP/1.1") << QByteArray("a=1")
            << QByteArray("landed") << 1;
        QTest::newRow("relative location on the same server, then on to the second")
            << 301 << QByteArray("/second") << QByteArray("GET /landing HTTP/1.1") << QByteArray()
            << QByteArray("landed") << 2;
        QTest::newRow("a loop ends after five hops with the last answer")
            << 302 << QByteArray("/start") << QByteArray() << QByteArray() << QByteArray("moved") << 6;
        QTest::newRow("a location of another scheme is not followed")
            << 302 << QByteArray("ftp://127.0.0.1/x") << QByteArray() << QByteArray() << QByteArray("moved")
            << 1;
    }
    void redirects() {
        QFETCH(int, status);
        QFETCH(QByteArray, location);
        QFETCH(QByteArray, requestAtB);
        QFETCH(QByteArray, bodyAtB);
        QFETCH(QByteArray, answer);
        QFETCH(int, requestsAtA);
        LoopbackHttpServer a, b;
        b.setBody("landed");
        const QByteArray target = QByteArray(location).replace("$B", b.url(""));
        a.setHandler([&](const QByteArray& request) -> QByteArray {
            const QByteArray to = request.startsWith("GET /second ") ? b.url("/landing") : target;
            return "HTTP/1.1 " + QByteArray::number(status) + " Moved\r\nLocation: " + to +
                   "\r\nContent-Length: 5\r\n\r\nmoved";
        });
        QByteArray method = "POST";
        QCOMPARE(request(a.url("/start"), &method, std::nullopt, nullptr, "a=1").body, answer);
        QCOMPARE(a.requests().size(), requestsAtA);
        QCOMPARE(b.requests().size(), requestAtB.isEmpty() ? 0 : 1);
        if (requestAtB.isEmpty())
            return;
        const QByteArray got = b.requests().first();
        QCOMPARE(trimmed(headLines(got)).first(), requestAtB);
        QCOMPARE(bodyOf(got), bodyAtB);
        QCOMPARE(got.contains("Content-Length:"), !bodyAtB.isEmpty());
        QVERIFY(got.contains(QByteArray("\r\nReferer: " + a.url("/start") + "\r\n")));
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
        QCOMPARE(request(server.url()).body, expected);
    }

    void unreachableAddressesGiveNothing_data() {
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<QByteArray>("methodAfter"); // a request never made leaves the method alone
        QTest::addColumn<QString>("logged");         // the caller hears nothing; the log says why
        QTest::newRow("refused connection")
            << "http://127.0.0.1:" + QByteArray::number(closedPort()) + "/" << QByteArray("GET")
            << u"^(PUT|GET) http://127.0.0.1:\\d+/ failed: Couldn't connect to server$"_s;
        QTest::newRow("no host") << QByteArray("/path") << QByteArray("PUT") << u"^no request: .*no host"_s;
        QTest::newRow("port beyond TCP's") << QByteArray("http://127.0.0.1:70000/") << QByteArray("PUT")
                                           << u"^no request: .*port beyond 65535$"_s;
    }
    void unreachableAddressesGiveNothing() {
        QFETCH(QByteArray, url);
        QFETCH(QByteArray, methodAfter);
        QFETCH(QString, logged);
        for (int exchange = 0; exchange < 2; ++exchange)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(logged));
        QByteArray method = "PUT";
        const Reply reply = request(url, &method);
        QCOMPARE(reply.body, "");
        QCOMPARE(reply.headers, QByteArray(1024, ' '));
        QCOMPARE(method, methodAfter);
        QCOMPARE(fetch(url), "");
    }

    void fetchPageAsksPlainlyWithHttp10() {
        LoopbackHttpServer server;
        server.setBody("page");
        QCOMPARE(fetch(server.url("/stime.asp")), "page");
        const QList<QByteArray> lines = trimmed(headLines(server.requests().value(0)));
        QCOMPARE(lines.value(0), "GET /stime.asp HTTP/1.0");
        QVERIFY(lines.contains("Accept: */*"));
        QVERIFY(lines.contains("Cache-Control: no-cache"));
        QVERIFY(lines.contains(kAgent));
    }

    // A silent server ends the exchange after the stall time-out (short here) with nothing read.
    void silentServerTimesOut() {
        LoopbackHttpServer server;
        server.setSilent(true);
        HttpExchange exchange;
        exchange.url = server.url();
        exchange.stallTimeoutMs = 200;
        HttpTransfer transfer(exchange);
        QSignalSpy finished(&transfer, &HttpTransfer::finished);
        QElapsedTimer waited;
        waited.start();
        transfer.start();
        QTRY_COMPARE(finished.size(), 1);
        QVERIFY(waited.elapsed() < 5000);
        QCOMPARE(finished.first(), (QVariantList{QByteArray(), QByteArray(), false}));
    }

    // Deleting the owner mid-body closes the connection, and the callback never runs.
    void deletingTheOwnerCancels() {
        LoopbackHttpServer server;
        server.setEndless(4096, 1);
        auto owner = std::make_unique<QObject>();
        bool called = false;
        HttpRequest(owner.get(), server.url(),
                    [&called](const QByteArray&, const QByteArray&) { called = true; });
        QTRY_VERIFY(server.bytesSent() > 300 * 1024);
        owner.reset();
        QTRY_COMPARE(server.openConnections(), 0);
        QCoreApplication::processEvents();
        QVERIFY(!called);
    }

    void proxyWithoutServerFails() {
        QCOMPARE(request("http://127.0.0.1:1/", nullptr, QByteArray()).body, "");
    }
};

ORVANE_TEST(HttpRequestTest)
#include "test_HttpRequest.moc"
