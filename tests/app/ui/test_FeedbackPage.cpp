// The "留言" page: controls at their places, a post to a loopback server, the two answers, "重填", one
// post at a time, and a page closed before the answer.
#include "LoopbackHttpServer.h"
#include "ScriptedDialogs.h"
#include "TestRegistry.h"
#include "app/FeedbackPage.h"
#include "common/GbkText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

class FeedbackPageTest : public QObject {
    Q_OBJECT
private slots:
    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("标签8") << u"标签8"_s << QRect(26, 31, 33, 24);
        QTest::newRow("编辑框2") << u"编辑框2"_s << QRect(71, 31, 276, 20);
        QTest::newRow("标签9") << u"标签9"_s << QRect(3, 58, 56, 24);
        QTest::newRow("编辑框3") << u"编辑框3"_s << QRect(71, 57, 276, 20);
        QTest::newRow("标签10") << u"标签10"_s << QRect(26, 84, 33, 24);
        QTest::newRow("编辑框4") << u"编辑框4"_s << QRect(71, 86, 276, 123);
        QTest::newRow("按钮23") << u"按钮23"_s << QRect(91, 211, 72, 28);
        QTest::newRow("按钮24") << u"按钮24"_s << QRect(232, 211, 72, 28);
    }
    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QWidget page;
        test::ScriptedDialogs dialogs;
        FeedbackPage feedback(&page, dialogs);
        auto* control = page.findChild<QWidget*>(name);
        QVERIFY(control);
        if (!qobject_cast<QLabel*>(control)) {
            QCOMPARE(control->geometry(), place);
            return;
        }
        // A label keeps its row and may only grow, within the room between the page's border and the boxes
        // at 71.
        const QRect at = control->geometry();
        QCOMPARE(at.top(), place.top());
        QCOMPARE(at.height(), place.height());
        QVERIFY(at.left() <= place.left() && at.left() >= 2);
        QVERIFY(at.right() >= place.right() && at.right() < 70);
    }

    void submitAndClear_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("thanked") << gbk::encode(u"谢谢您的宝贵意见"_s) << u"意见提交成功，感谢您的建议"_s;
        QTest::newRow("not thanked") << QByteArray("error") << u"意见提交失败，请检测网络"_s;
    }
    void submitAndClear() {
        QFETCH(QByteArray, answer);
        QFETCH(QString, message);
        test::LoopbackHttpServer server;
        server.setBody(answer);
        QWidget page;
        test::ScriptedDialogs dialogs;
        FeedbackPage feedback(&page, dialogs, server.url("/Orvane/time/add.asp"));
        page.findChild<QLineEdit*>(u"编辑框2"_s)->setText(u"小明"_s);
        page.findChild<QLineEdit*>(u"编辑框3"_s)->setText(u"12345"_s);
        auto* text = page.findChild<QPlainTextEdit*>(u"编辑框4"_s);
        text->setPlainText(u"第一行\n第二行"_s);

        page.findChild<QPushButton*>(u"按钮23"_s)->click();
        QTRY_COMPARE(dialogs.messages(), QStringList{message});
        const QByteArray tail = "&content=" + gbk::encode(u"第一行\r\n第二行"_s) + "&subm=+%CC%E1+%BD%BB+";
        QVERIFY(server.requests().value(0).endsWith(tail));
        QCOMPARE(text->toPlainText(), u"第一行\n第二行"_s); // kept after either answer

        page.findChild<QPushButton*>(u"按钮24"_s)->click();
        QVERIFY(page.findChild<QLineEdit*>(u"编辑框2"_s)->text().isEmpty());
        QVERIFY(page.findChild<QLineEdit*>(u"编辑框3"_s)->text().isEmpty());
        QVERIFY(text->toPlainText().isEmpty());
    }

    // A second click while the server holds the answer sends nothing; closing the page before the
    // answer cancels the post and says nothing.
    void onePostAtATime_data() {
        QTest::addColumn<bool>("closeFirst");
        QTest::newRow("answer comes") << false;
        QTest::newRow("page closed before the answer") << true;
    }
    void onePostAtATime() {
        QFETCH(bool, closeFirst);
        test::LoopbackHttpServer server;
        server.setBody(gbk::encode(u"谢谢您的宝贵意见"_s));
        server.holdAnswers();
        auto page = std::make_unique<QWidget>();
        test::ScriptedDialogs dialogs;
        new FeedbackPage(page.get(), dialogs, server.url());
        auto* submit = page->findChild<QPushButton*>(u"按钮23"_s);
        submit->click();
        QTRY_COMPARE(server.requests().size(), 1);
        submit->click();
        QVERIFY(!submit->isEnabled());
        if (closeFirst) {
            page.reset();
            QTRY_COMPARE(server.openConnections(), 0);
        }
        server.releaseAnswers();
        if (!closeFirst) {
            QTRY_COMPARE(dialogs.messages(), QStringList{u"意见提交成功，感谢您的建议"_s});
            QVERIFY(submit->isEnabled());
        }
        QCoreApplication::processEvents();
        QCOMPARE(server.requests().size(), 1);
        QCOMPARE(dialogs.messages().size(), closeFirst ? 0 : 1);
    }
};

ORVANE_TEST(FeedbackPageTest)
#include "test_FeedbackPage.moc"
