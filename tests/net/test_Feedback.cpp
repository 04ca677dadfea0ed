// Feedback: the form body byte for byte, posted to a loopback server, and success only on thanks.
#include "LoopbackHttpServer.h"
#include "TestRegistry.h"
#include "common/GbkText.h"
#include "net/Feedback.h"

#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

class FeedbackTest : public QObject {
    Q_OBJECT
private slots:
    void body_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("contact");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("all empty: the fixed pieces run together")
            << QString() << QString() << QString()
            << QByteArray("name=&email=&sex=male.gif&content=&subm=+%CC%E1+%BD%BB+");
        QTest::newRow("& and = sent unchanged")
            << u"a&b"_s << u"x=y"_s << u"1&2=3"_s
            << QByteArray("name=a&b&email=x=y&sex=male.gif&content=1&2=3&subm=+%CC%E1+%BD%BB+");
        QTest::newRow("Chinese as raw GBK bytes")
            << u"小明"_s << u"12345"_s << u"好用"_s
            << QByteArray("name=\xD0\xA1\xC3\xF7&email=12345&sex=male.gif&content=\xBA\xC3\xD3\xC3"
                          "&subm=+%CC%E1+%BD%BB+");
    }
    void body() {
        QFETCH(QString, name);
        QFETCH(QString, contact);
        QFETCH(QString, message);
        QFETCH(QByteArray, body);
        QCOMPARE(feedbackBody(name, contact, message), body);
    }

    void answers_data() {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("message");
        const QByteArray thanks = gbk::encode(u"<p>谢谢您的宝贵意见！</p>"_s);
        QTest::newRow("thanked") << test::LoopbackHttpServer::ok(thanks) << u"意见提交成功，感谢您的建议"_s;
        QTest::newRow("thanks inside an error page still counts")
            << "HTTP/1.1 500 Error\r\nContent-Length: " + QByteArray::number(thanks.size()) + "\r\n\r\n" +
                   thanks
            << u"意见提交成功，感谢您的建议"_s;
        QTest::newRow("answer without thanks")
            << test::LoopbackHttpServer::ok("saved") << u"意见提交失败，请检测网络"_s;
        QTest::newRow("the phrase in UTF-8 is not the GBK phrase")
            << test::LoopbackHttpServer::ok(u"谢谢您的宝贵意见"_s.toUtf8()) << u"意见提交失败，请检测网络"_s;
        QTest::newRow("connection closed without an answer") << QByteArray() << u"意见提交失败，请检测网络"_s;
    }
    void answers() {
        QFETCH(QByteArray, raw);
        QFETCH(QString, message);
        test::LoopbackHttpServer server;
        server.setRaw(raw);
        QString said;
        submitFeedback(
            u"小明"_s, u"a@b.cn"_s, u"好"_s, [&said](const QString& text) { said = text; }, this,
            server.url("/Orvane/time/add.asp"));
        QTRY_COMPARE(said, message);
        const QByteArray request = server.requests().value(0);
        QVERIFY(request.startsWith("POST /Orvane/time/add.asp HTTP/1.1\r\n"));
        const QByteArray body = feedbackBody(u"小明"_s, u"a@b.cn"_s, u"好"_s);
        QVERIFY(
            request.contains(QByteArray("\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n")));
        QVERIFY(request.endsWith(QByteArray("\r\n\r\n" + body)));
    }
};

ORVANE_TEST(FeedbackTest)
#include "test_Feedback.moc"
