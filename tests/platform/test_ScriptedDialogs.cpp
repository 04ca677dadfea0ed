// Tests of the shared fakes other folders' tests rely on: scripted dialog answers and the fake clock.
#include "FakeClock.h"
#include "ScriptedDialogs.h"

#include "TestRegistry.h"

#include <QtTest>

using orvane::FontChoice;
using orvane::test::FakeClock;
using orvane::test::ScriptedDialogs;

class ScriptedDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // Answers come back first in, first out, each kind from its own queue; once used up a box is cancelled.
    void answersInOrder() {
        ScriptedDialogs dialogs;
        dialogs.answerInput(QStringLiteral("甲 乙"));
        dialogs.answerInput(std::nullopt);
        dialogs.answerInput(QStringLiteral("丙 丁"));
        dialogs.answerOpenFile(QStringLiteral("/tmp/1.mp3"));
        FontChoice font;
        font.bold = true;
        dialogs.answerFont(font);

        QCOMPARE(dialogs.openFile(QStringLiteral("打开"), QStringLiteral("声音文件 (*.mp3 *.wav)")),
                 std::optional<QString>(QStringLiteral("/tmp/1.mp3")));
        QCOMPARE(
            dialogs.input(QStringLiteral("帐号与密码之间用空格分开"), QStringLiteral("请输入旧帐号密码")),
            std::optional<QString>(QStringLiteral("甲 乙")));
        dialogs.message(QStringLiteral("帐号密码错误，请检查！"));
        QCOMPARE(dialogs.input(QStringLiteral("p2"), QStringLiteral("c2")), std::nullopt);
        QCOMPARE(dialogs.input(QStringLiteral("p3"), QStringLiteral("c3"), QStringLiteral("起")),
                 std::optional<QString>(QStringLiteral("丙 丁")));
        QVERIFY(dialogs.chooseFont(FontChoice()) == std::optional<FontChoice>(font));
        QCOMPARE(dialogs.unusedAnswers(), 0);
        QCOMPARE(dialogs.input(QStringLiteral("p4"), QStringLiteral("c4")), std::nullopt);
        QCOMPARE(dialogs.openFile(QStringLiteral("c5"), QString()), std::nullopt);
        QCOMPARE(dialogs.chooseFont(FontChoice()), std::nullopt);

        QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("帐号密码错误，请检查！")});
        QCOMPARE(dialogs.messageCaptions(), QStringList{QStringLiteral("信息：")});
        QCOMPARE(dialogs.inputPrompts(),
                 (QStringList{QStringLiteral("帐号与密码之间用空格分开"), QStringLiteral("p2"),
                              QStringLiteral("p3"), QStringLiteral("p4")}));
        QCOMPARE(dialogs.log().mid(0, 5),
                 (QStringList{QStringLiteral("openFile 打开|声音文件 (*.mp3 *.wav)"),
                              QStringLiteral("input 请输入旧帐号密码|帐号与密码之间用空格分开|"),
                              QStringLiteral("message 信息：|帐号密码错误，请检查！"),
                              QStringLiteral("input c2|p2|"), QStringLiteral("input c3|p3|起")}));
    }

    // Crossing midnight and a month end, which a clock kept as separate fields gets wrong.
    void fakeClockAdvances() {
        FakeClock clock;
        clock.set(QDate(2024, 2, 29), QTime(23, 59, 59));
        clock.advanceMs(500);
        QCOMPARE(clock.now(), QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 500)));
        clock.advance(1);
        QCOMPARE(clock.now(), QDateTime(QDate(2024, 3, 1), QTime(0, 0, 0, 500)));
    }
};

ORVANE_TEST(ScriptedDialogsTest)
#include "test_ScriptedDialogs.moc"
