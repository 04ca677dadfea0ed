// The window " 请输入密码" through its real widgets, offscreen: layout, the checks of 确定 and 取消.
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "TestRegistry.h"
#include "platform/Registry.h"
#include "platform/RegistryValues.h"
#include "protect/PasswordRecord.h"
#include "protect/PasswordWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Fixture {
    TempDir dir;
    Paths paths = Paths::under(dir.path());
    Registry registry{paths};
    ScriptedDialogs dialogs;
    QPointer<PasswordWindow> window = new PasswordWindow(registry, dialogs);

    Fixture() { window->show(); }
    ~Fixture() { delete window.data(); }
    template <typename W> W* child(const char* name) {
        return window->findChild<W*>(QString::fromUtf8(name));
    }
    void save(const QString& account, const QString& password) {
        child<QLineEdit>("编辑框1")->setText(account);
        child<QLineEdit>("编辑框2")->setText(password);
        child<QPushButton>("按钮1")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::optional<QString> record() const { return registry.read(u"SOFTWARE\\qlzk"_s, u"pz"_s); }
    // The stored record opens for exactly these credentials and does not hold the password itself.
    bool holds(const QString& account, const QString& password) const {
        const std::optional<QString> stored = record();
        return stored && stored->startsWith(u"真|"_s) && !stored->contains(u'|' + password) &&
               checkCredentials(*stored, account + u' ' + password) == CredentialCheck::Match &&
               checkCredentials(*stored, account + u' ' + password + u'x') == CredentialCheck::Mismatch;
    }
};

} // namespace

class PasswordWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controls() {
        Fixture f;
        QVERIFY(!f.window->isModal());
        QStringList texts;
        QList<QRect> places;
        for (const char* name : {"标签3", "标签1", "编辑框1", "标签2", "编辑框2", "按钮1", "按钮2"}) {
            QWidget* w = f.child<QWidget>(name);
            QVERIFY2(w, name);
            texts << w->property("text").toString();
            QVERIFY2(f.window->rect().contains(w->geometry()), name);
            for (const QRect& other : places)
                QVERIFY2(!w->geometry().intersects(other), name);
            places << w->geometry();
        }
        QCOMPARE(texts, (QStringList{u"请输入新密码..."_s, u"帐号："_s, u""_s, u"密码："_s, u""_s, u"确定"_s,
                                     u"取消"_s}));
        QCOMPARE(f.child<QLabel>("标签3")->font().family(), u"宋体"_s);
        for (const char* box : {"编辑框1", "编辑框2"})
            QCOMPARE(f.child<QLineEdit>(box)->echoMode(), QLineEdit::Normal);
    }

    void checksInOrder_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("saved");
        QTest::newRow("both empty") << u""_s << u""_s << u"密码不能为空"_s << false;
        QTest::newRow("empty password") << u"abc"_s << u""_s << u"密码不能为空"_s << false;
        QTest::newRow("empty account") << u""_s << u"abc"_s << u"密码不能为空"_s << false;
        QTest::newRow("differ in one letter") << u"abcd"_s << u"abce"_s << u"两次密码输入不一直"_s << false;
        QTest::newRow("differ in letter case") << u"abc"_s << u"Abc"_s << u"两次密码输入不一直"_s << false;
        QTest::newRow("blank could never be typed in")
            << u"a b"_s << u"a b"_s << u"帐号和密码不能包含空格或“|”"_s << false;
        QTest::newRow("| would split the record")
            << u"a|b"_s << u"a|b"_s << u"帐号和密码不能包含空格或“|”"_s << false;
        QTest::newRow("blank reported before a mismatch")
            << u"a "_s << u"x"_s << u"帐号和密码不能包含空格或“|”"_s << false;
        QTest::newRow("empty reported before a blank") << u" "_s << u""_s << u"密码不能为空"_s << false;
        QTest::newRow("equal texts saved") << u"闹钟1"_s << u"闹钟1"_s << u"密码设置成功！"_s << true;
    }
    void checksInOrder() {
        QFETCH(QString, account);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(bool, saved);
        Fixture f;
        f.save(account, password);
        QCOMPARE(f.dialogs.messages(), QStringList{message});
        QCOMPARE(saved ? f.holds(account, password) : !f.record(), true);
        QCOMPARE(f.window.isNull(), saved); // closed and destroyed only after a successful write
    }

    void keysPressTheButtons_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Return in the account box saves") << u"编辑框1"_s << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter in the password box saves") << u"编辑框2"_s << int(Qt::Key_Enter) << true;
        QTest::newRow("Esc cancels without writing") << u"编辑框2"_s << int(Qt::Key_Escape) << false;
    }
    void keysPressTheButtons() {
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(bool, saved);
        Fixture f;
        f.child<QLineEdit>("编辑框1")->setText(u"abc"_s);
        f.child<QLineEdit>("编辑框2")->setText(u"abc"_s);
        QTest::keyClick(f.window->findChild<QLineEdit*>(box), Qt::Key(key));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f.window.isNull());
        QCOMPARE(saved ? f.holds(u"abc"_s, u"abc"_s) : !f.record(), true);
    }

    void savedStoreIsPrivate() {
        Fixture f;
        QVERIFY(f.registry.write(u"SOFTWARE\\qlzk"_s, u"pz"_s, u"真|old|old"_s));
        f.save(u"new"_s, u"new"_s);
        QVERIFY(f.holds(u"new"_s, u"new"_s)); // a changed password overwrites the old
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(f.paths.registryFile()).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);
    }

    void unwritableStoreKeepsTheWindow() {
        Fixture f;
        QDir(f.paths.programDir).removeRecursively();
        QFile blocker(f.paths.programDir); // a file where the store's folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        f.save(u"abc"_s, u"abc"_s);
        QCOMPARE(f.dialogs.messages(), QStringList{u"密码设置失败！"_s});
        QVERIFY(!f.window.isNull());
        QVERIFY(f.window->isVisible());
    }

    void cancelWritesNothing() {
        Fixture f;
        f.child<QLineEdit>("编辑框1")->setText(u"abc"_s);
        f.child<QLineEdit>("编辑框2")->setText(u"abc"_s);
        f.child<QPushButton>("按钮2")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f.window.isNull());
        QVERIFY(!QFile::exists(f.paths.registryFile()));
        QVERIFY(f.dialogs.shown().isEmpty());
    }
};

ORVANE_TEST(PasswordWindowTest)
#include "test_PasswordWindow.moc"
