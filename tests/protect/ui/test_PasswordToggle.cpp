// Ticking and unticking 选择框_密码修改 through a real box, offscreen: every branch, its messages and the
// box's state afterwards.
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "TestRegistry.h"
#include "platform/Registry.h"
#include "protect/PasswordToggle.h"
#include "protect/PasswordWindow.h"

#include <QCheckBox>
#include <QtTest>

#include <memory>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Fixture {
    TempDir dir;
    Registry registry{Paths::under(dir.path())};
    ScriptedDialogs dialogs;
    std::unique_ptr<QWidget> page = std::make_unique<QWidget>();
    QCheckBox* box = new QCheckBox(page.get());
    PasswordToggle* toggle = new PasswordToggle(box, registry, dialogs);

    // An empty record text means no record; a null typed text is a cancelled box.
    Fixture(const QString& record, const QString& typed) {
        if (!record.isEmpty())
            registry.write(u"SOFTWARE\\qlzk"_s, u"pz"_s, record);
        dialogs.answerInput(typed.isNull() ? std::nullopt : std::optional(typed));
        page->show();
    }
    std::optional<QString> record() const { return registry.read(u"SOFTWARE\\qlzk"_s, u"pz"_s); }
    bool asked() const { return !dialogs.inputPrompts().isEmpty(); }
};

void addColumns() {
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QString>("message");
}

} // namespace

class PasswordToggleTest : public QObject {
    Q_OBJECT
private slots:
    void tick_data() {
        addColumns();
        QTest::addColumn<bool>("opens");
        const QString none;
        QTest::newRow("no record opens the window directly") << u""_s << none << false << u""_s << true;
        QTest::newRow("record of two pieces opens the window directly")
            << u"真|abc"_s << none << false << u""_s << true;
        QTest::newRow("old credentials proven open the window")
            << u"真|abc|abc"_s << u"abc abc"_s << true << u""_s << true;
        QTest::newRow("wrong old credentials")
            << u"真|abc|abc"_s << u"abc abd"_s << true << u"帐号密码错误，请检查！"_s << false;
        QTest::newRow("single word is a format error")
            << u"真|abc|abc"_s << u"abc"_s << true << u"帐号密码格式错误，请重新输入！"_s << false;
        QTest::newRow("cancelled box is a format error")
            << u"真|abc|abc"_s << none << true << u"帐号密码格式错误，请重新输入！"_s << false;
        QTest::newRow("first piece not 真: nothing") << u"假|abc|abc"_s << none << false << u""_s << false;
    }
    void tick() {
        QFETCH(QString, record);
        QFETCH(QString, typed);
        QFETCH(bool, asks);
        QFETCH(QString, message);
        QFETCH(bool, opens);
        Fixture f(record, typed);
        f.box->click();
        QCOMPARE(f.asked(), asks);
        QCOMPARE(f.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.toggle->passwordWindow() != nullptr && f.toggle->passwordWindow()->isVisible(), opens);
        QVERIFY(f.box->isChecked());                  // ticking always leaves the box ticked
        QCOMPARE(f.record().value_or(u""_s), record); // nothing written before 确定
    }

    void untick_data() {
        addColumns();
        QTest::addColumn<bool>("removed");
        QTest::addColumn<bool>("tickedAgain");
        const QString none;
        QTest::newRow("no record: nothing") << u""_s << none << false << u""_s << false << false;
        QTest::newRow("record of two pieces stays, box unticked")
            << u"真|abc"_s << none << false << u""_s << false << false;
        QTest::newRow("right credentials switch protection off")
            << u"真|abc|abc"_s << u"abc abc"_s << true << u""_s << true << false;
        QTest::newRow("wrong credentials tick the box again")
            << u"真|abc|abc"_s << u"abc xyz"_s << true << u"帐号密码错误，请检查！"_s << false << true;
        QTest::newRow("single word ticks the box again silently")
            << u"真|abc|abc"_s << u"abc"_s << true << u""_s << false << true;
        QTest::newRow("cancelled box ticks the box again silently")
            << u"真|abc|abc"_s << none << true << u""_s << false << true;
        QTest::newRow("first piece not 真 still removed on a match")
            << u"假|abc|abc"_s << u"abc abc"_s << true << u""_s << true << false;
    }
    void untick() {
        QFETCH(QString, record);
        QFETCH(QString, typed);
        QFETCH(bool, asks);
        QFETCH(QString, message);
        QFETCH(bool, removed);
        QFETCH(bool, tickedAgain);
        Fixture f(record, typed);
        f.box->setChecked(true); // as the settings page loads it
        f.box->click();
        QCOMPARE(f.asked(), asks);
        QCOMPARE(f.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.box->isChecked(), tickedAgain);
        QCOMPARE(f.record().has_value(), !record.isEmpty() && !removed);
        QCOMPARE(f.toggle->passwordWindow(), nullptr);
    }
};

ORVANE_TEST(PasswordToggleTest)
#include "test_PasswordToggle.moc"
