// The account-password gate over a real registry store: when it asks, and what it lets through.
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "TestRegistry.h"
#include "platform/Registry.h"
#include "platform/RegistryValues.h"
#include "protect/PasswordRecord.h"

#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

class PasswordGateTest : public QObject {
    Q_OBJECT
private slots:
    void gate_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("typed"); // null: the box is cancelled
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("allowed");
        const QString none;
        QTest::newRow("no record: allowed without asking") << false << u""_s << none << false << true;
        QTest::newRow("the word twice allowed") << true << u"真|abc|abc"_s << u"abc abc"_s << true << true;
        QTest::newRow("the word alone refused") << true << u"真|abc|abc"_s << u"abc"_s << true << false;
        QTest::newRow("three words refused") << true << u"真|abc|abc"_s << u"abc abc abc"_s << true << false;
        QTest::newRow("other letter case refused")
            << true << u"真|abc|abc"_s << u"ABC ABC"_s << true << false;
        QTest::newRow("password compared case-sensitively")
            << true << u"真|abc|abc"_s << u"abc abC"_s << true << false;
        QTest::newRow("two blanks make three pieces")
            << true << u"真|abc|abc"_s << u"abc  abc"_s << true << false;
        QTest::newRow("cancelled box refused") << true << u"真|abc|abc"_s << none << true << false;
        QTest::newRow("account is piece 2, password piece 3")
            << true << u"真|abc|xyz"_s << u"abc xyz"_s << true << true;
        QTest::newRow("swapped pieces refused") << true << u"真|abc|xyz"_s << u"xyz abc"_s << true << false;
        QTest::newRow("Chinese word") << true << u"真|闹钟|闹钟"_s << u"闹钟 闹钟"_s << true << true;
        QTest::newRow("record of two pieces refused without asking")
            << true << u"真|abc"_s << u"abc abc"_s << false << false;
        QTest::newRow("record of four pieces refused without asking")
            << true << u"真|a|b|c"_s << u"a b"_s << false << false;
        QTest::newRow("empty record is present: refused without asking")
            << true << u""_s << none << false << false;
        QTest::newRow("first piece not 真 refused without asking")
            << true << u"假|abc|abc"_s << u"abc abc"_s << false << false;
    }
    void gate() {
        QFETCH(bool, present);
        QFETCH(QString, record);
        QFETCH(QString, typed);
        QFETCH(bool, asks);
        QFETCH(bool, allowed);
        TempDir dir;
        Registry registry(Paths::under(dir.path()));
        if (present)
            QVERIFY(registry.write(settings::passwordKey(), settings::passwordValue(), record));
        ScriptedDialogs dialogs;
        dialogs.answerInput(typed.isNull() ? std::nullopt : std::optional(typed));
        QCOMPARE(CheckAlarmPassword(registry, dialogs), allowed);
        const QStringList asked{u"input 请输入旧帐号密码|帐号与密码之间用空格分开|"_s};
        QCOMPARE(dialogs.log(), asks ? asked : QStringList());
    }

    // Whatever SavePassword accepts must be accepted by the gate after a round trip through the store.
    void savedPasswordCanBeTypedAgain_data() {
        QTest::addColumn<QString>("word");
        QTest::newRow("INI comment and key signs") << u";#=[x]"_s;
        QTest::newRow("quotes and backslash") << u"\"a'\\"_s;
        QTest::newRow("percent and trailing backslash") << u"%1\\"_s;
        QTest::newRow("full-width blank is no separator") << u"密　码"_s;
    }
    void savedPasswordCanBeTypedAgain() {
        QFETCH(QString, word);
        QVERIFY(saveRefusal(word, word).isEmpty());
        TempDir dir;
        Registry registry(Paths::under(dir.path()));
        QVERIFY(
            registry.write(settings::passwordKey(), settings::passwordValue(), passwordRecord(word, word)));
        ScriptedDialogs dialogs;
        dialogs.answerInput(word + u' ' + word);
        QVERIFY(CheckAlarmPassword(registry, dialogs));
    }

    // An old plain record still opens, once: then only its hash is stored, and it opens as before.
    void plainRecordIsRewrittenHashed() {
        TempDir dir;
        Registry registry(Paths::under(dir.path()));
        QVERIFY(registry.write(settings::passwordKey(), settings::passwordValue(), u"真|闹钟|闹钟"_s));
        ScriptedDialogs dialogs;
        dialogs.answerInput(u"闹钟 闹钟"_s);
        dialogs.answerInput(u"闹钟 闹钟"_s);
        dialogs.answerInput(u"闹钟 钟闹"_s);
        QVERIFY(CheckAlarmPassword(registry, dialogs));
        const QString stored = readPasswordRecord(registry).value_or(QString());
        QVERIFY2(stored.startsWith(u"真|argon2id|$argon2id$"_s) && !stored.contains(u"闹钟"_s),
                 qPrintable(stored));
        QVERIFY(CheckAlarmPassword(registry, dialogs));
        QVERIFY(!CheckAlarmPassword(registry, dialogs));
        // Two hashes of one password differ (salted).
        QVERIFY(passwordRecord(u"a"_s, u"a"_s) != passwordRecord(u"a"_s, u"a"_s));
    }
};

ORVANE_TEST(PasswordGateTest)
#include "test_PasswordGate.moc"
