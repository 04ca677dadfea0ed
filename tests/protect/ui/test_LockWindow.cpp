// The lock window "挂机..." through its real widgets, offscreen, with a fake screen, cursor, killer and
// grabs: the checks of 确定, covering the screen, the tick, the keys and unlocking.
#include "LockFakes.h"
#include "ScriptedDialogs.h"
#include "TestRegistry.h"
#include "protect/LockRules.h"
#include "protect/LockWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Fixture {
    ScriptedDialogs dialogs;
    RecordingKiller killer;
    FakeCursor cursor;
    FakeGrab grab;
    QPointer<LockWindow> window = new LockWindow({dialogs, killer, cursor, grab});

    Fixture() {
        window->show();
        window->activateWindow();
    }
    ~Fixture() { delete window.data(); }
    template <typename W = QWidget> W* child(const char* name) const {
        return window->findChild<W*>(QString::fromUtf8(name));
    }
    void lock(const QString& password, const QString& confirmation) {
        child<QLineEdit>("编辑框_加锁密码1")->setText(password);
        child<QLineEdit>("编辑框_加锁密码2")->setText(confirmation);
        child<QPushButton>("按钮_确定")->click();
    }
    void unlock(const QString& typed) {
        child<QLineEdit>("编辑框_解锁")->setText(typed);
        child<QPushButton>("按钮_解锁")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QStringList visible() const {
        QStringList names;
        for (const QWidget* w : window->findChildren<QWidget*>())
            if (w->isVisibleTo(window))
                names.append(w->objectName());
        names.sort();
        return names;
    }
};

// Records the key events that reach the object it watches.
struct KeyRecorder : QObject {
    QList<int> keys;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            keys.append(static_cast<QKeyEvent*>(event)->key());
        return false;
    }
};

// Sends an X11-like key press (Qt key, keycode, keysym) and says whether it reached the target.
bool reaches(QWidget* target, int key, quint32 keycode, quint32 keysym,
             QEvent::Type type = QEvent::KeyPress) {
    KeyRecorder recorder;
    target->installEventFilter(&recorder);
    QKeyEvent event(type, key, Qt::NoModifier, keycode, keysym, 0);
    QApplication::sendEvent(target, &event);
    target->removeEventFilter(&recorder);
    return type != QEvent::KeyPress || recorder.keys == QList<int>{key};
}

const QStringList kSetting{u"按钮_取消"_s,  u"按钮_确定"_s,        u"标签_密码1"_s,
                           u"标签_密码2"_s, u"编辑框_加锁密码1"_s, u"编辑框_加锁密码2"_s};
const QStringList kLocked{u"按钮_解锁"_s, u"标签_解锁"_s, u"编辑框_解锁"_s};

} // namespace

class LockWindowTest : public QObject {
    Q_OBJECT
private slots:
    void settingState() {
        Fixture f;
        QCOMPARE(f.window->windowModality(), Qt::ApplicationModal);
        QCOMPARE(f.visible(), kSetting);
        for (const char* box : {"编辑框_加锁密码1", "编辑框_加锁密码2", "编辑框_解锁"})
            QCOMPARE(f.child<QLineEdit>(box)->echoMode(), QLineEdit::Normal);
        QVERIFY(!f.child<QTimer>("时钟1")->isActive());
        f.window->LockTick(); // a tick before locking holds nothing
        QVERIFY(f.killer.calls.isEmpty() && f.grab.attempts == 0);
    }

    void startLockChecks_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty confirmation") << u"abc"_s << u""_s << u"口令不允许为空！"_s;
        QTest::newRow("empty password") << u""_s << u"abc"_s << u"口令不允许为空！"_s;
        QTest::newRow("both empty") << u""_s << u""_s << u"口令不允许为空！"_s;
        QTest::newRow("trailing blank differs")
            << u"abc"_s << u"abc "_s << u"两次口令输入不一致\n请重新输入！"_s;
        QTest::newRow("blank alone is a password") << u" "_s << u" "_s << u""_s;
        QTest::newRow("differ in letter case")
            << u"abc"_s << u"abC"_s << u"两次口令输入不一致\n请重新输入！"_s;
        QTest::newRow("equal texts lock") << u"挂机"_s << u"挂机"_s << u""_s;
    }
    void startLockChecks() {
        QFETCH(QString, password);
        QFETCH(QString, confirmation);
        QFETCH(QString, message);
        Fixture f;
        f.lock(password, confirmation);
        QCOMPARE(f.window->isLocked(), message.isEmpty());
        if (!message.isEmpty()) {
            QCOMPARE(f.dialogs.infoMessages(), QStringList{message}); // with the information icon
            QCOMPARE(f.dialogs.infoMessageCaptions(), QStringList{u"输入错误"_s});
            QCOMPARE(f.window->focusWidget(), f.child("编辑框_加锁密码1"));
            QCOMPARE(f.child<QLineEdit>("编辑框_加锁密码2")->text(), confirmation); // nothing cleared
            QCOMPARE(f.visible(), kSetting);
            return;
        }
        QVERIFY(f.dialogs.shown().isEmpty());
        QCOMPARE(f.visible(), kLocked);
        QCOMPARE(f.window->focusWidget(), f.child("编辑框_解锁"));
        QVERIFY(f.child<QTimer>("时钟1")->isActive());
        QCOMPARE(f.child<QTimer>("时钟1")->interval(), 10);
        const Qt::WindowFlags flags = f.window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint)); // no title bar, so no close button
        QVERIFY(f.window->isVisible());
    }

    void askedFirstWhenTheKeyboardCannotBeHeld_data() {
        QTest::addColumn<bool>("canHold");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<bool>("lockAnyway");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("locks");
        QTest::newRow("held keyboard: no question") << true << u"a"_s << false << false << true;
        QTest::newRow("refused passwords come before the question")
            << false << u"b"_s << true << false << false;
        QTest::newRow("取消 keeps the setting state, nothing covered")
            << false << u"a"_s << false << true << false;
        QTest::newRow("仍然挂机 covers the screen anyway") << false << u"a"_s << true << true << true;
    }
    void askedFirstWhenTheKeyboardCannotBeHeld() {
        QFETCH(bool, canHold);
        QFETCH(QString, confirmation);
        QFETCH(bool, lockAnyway);
        QFETCH(bool, asked);
        QFETCH(bool, locks);
        Fixture f;
        f.grab.canHold = canHold;
        f.dialogs.answerQuestion(lockAnyway);
        const QRect setting = f.window->geometry();
        f.lock(u"a"_s, confirmation);
        QCOMPARE(
            f.dialogs.log().filter(u"question"_s),
            asked
                ? QStringList{u"question 挂机...|当前桌面不允许程序锁定键盘，挂机只能遮住屏幕|仍然挂机|取消"_s}
                : QStringList{});
        QCOMPARE(f.window->isLocked(), locks);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.visible(), locks ? kLocked : kSetting);
        if (!locks)
            QCOMPARE(f.window->geometry(), setting);
    }

    void coversTheScreen_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("label");
        QTest::addColumn<QPoint>("edit");
        QTest::addColumn<QPoint>("button");
        // Label 76 × 22, box 180 wide, button 76 wide: box at label + 76, button at box + 38 − 12.
        QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << QPoint(960, 540) << QPoint(1036, 540)
                                   << QPoint(1062, 572);
        QTest::newRow("odd sizes drop the half pixel")
            << QRect(0, 0, 1025, 769) << QPoint(512, 384) << QPoint(588, 384) << QPoint(614, 416);
        QTest::newRow("1366x768") << QRect(0, 0, 1366, 768) << QPoint(683, 384) << QPoint(759, 384)
                                  << QPoint(785, 416);
    }
    void coversTheScreen() {
        QFETCH(QRect, screen);
        QFETCH(QPoint, label);
        QFETCH(QPoint, edit);
        QFETCH(QPoint, button);
        Fixture f;
        f.cursor.screen = screen;
        f.lock(u"x"_s, u"x"_s);
        QCOMPARE(f.window->geometry(), screen);
        QCOMPARE(f.child("标签_解锁")->geometry(), QRect(label, QSize(76, 22)));
        QCOMPARE(f.child("编辑框_解锁")->geometry(), QRect(edit, QSize(180, 22)));
        QCOMPARE(f.child("按钮_解锁")->geometry(), QRect(button, QSize(76, 26)));
    }

    void unlock_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("unlocks");
        QTest::newRow("other letter case") << u"Abc"_s << u"abc"_s << false;
        QTest::newRow("trailing blank") << u"abc"_s << u"abc "_s << false;
        QTest::newRow("empty box") << u"abc"_s << u""_s << false;
        QTest::newRow("exact text") << u"Abc"_s << u"Abc"_s << true;
        QTest::newRow("Chinese text") << u"挂机密码"_s << u"挂机密码"_s << true;
    }
    void unlock() {
        QFETCH(QString, password);
        QFETCH(QString, typed);
        QFETCH(bool, unlocks);
        Fixture f;
        f.lock(password, password);
        f.window->LockTick(); // takes the grabs
        QWindow* grabbed = f.window->windowHandle();
        f.unlock(u"wrong"_s);
        QVERIFY(f.window && f.window->isLocked());
        QCOMPARE(f.child<QLineEdit>("编辑框_解锁")->text(), u""_s);
        QCOMPARE(f.window->focusWidget(), f.child("编辑框_解锁"));

        f.unlock(typed);
        QCOMPARE(f.window.isNull(), unlocks);
        QVERIFY(f.dialogs.shown().isEmpty()); // a wrong password gets no message
        QCOMPARE(f.grab.released, unlocks ? QList<QWindow*>{grabbed} : QList<QWindow*>{});
        if (!unlocks)
            QCOMPARE(f.child<QLineEdit>("编辑框_解锁")->text(), u""_s);
    }

    void keysPressTheButtons_data() {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after"); // setting, locked or gone
        QTest::newRow("Return in the password box locks")
            << false << u"编辑框_加锁密码1"_s << int(Qt::Key_Return) << u"locked"_s;
        QTest::newRow("keypad Enter in the confirmation box locks")
            << false << u"编辑框_加锁密码2"_s << int(Qt::Key_Enter) << u"locked"_s;
        QTest::newRow("Esc before locking cancels")
            << false << u"编辑框_加锁密码1"_s << int(Qt::Key_Escape) << u"gone"_s;
        QTest::newRow("Return passes the lock's filter and unlocks")
            << true << u"编辑框_解锁"_s << int(Qt::Key_Return) << u"gone"_s;
        QTest::newRow("Esc while locked cancels nothing")
            << true << u"编辑框_解锁"_s << int(Qt::Key_Escape) << u"locked"_s;
    }
    void keysPressTheButtons() {
        QFETCH(bool, locked);
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(QString, after);
        Fixture f;
        if (locked)
            f.lock(u"a"_s, u"a"_s);
        for (const char* name : {"编辑框_加锁密码1", "编辑框_加锁密码2", "编辑框_解锁"})
            f.child<QLineEdit>(name)->setText(u"a"_s);
        QTest::keyClick(f.window->findChild<QLineEdit*>(box), Qt::Key(key));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.window.isNull(), after == u"gone"_s);
        if (f.window)
            QCOMPARE(f.window->isLocked(), after == u"locked"_s);
    }

    void closeRefused_data() {
        QTest::addColumn<bool>("locked");
        QTest::newRow("before locking") << false;
        QTest::newRow("while locked") << true;
    }
    void closeRefused() {
        QFETCH(bool, locked);
        Fixture f;
        if (locked)
            f.lock(u"a"_s, u"a"_s);
        QVERIFY(!f.window->close()); // title bar, Alt+F4 and the window manager all ask this way
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f.window && f.window->isVisible());
        QCOMPARE(f.window->isLocked(), locked);
    }

    void cancelOnlyBeforeLocking() {
        Fixture f;
        f.lock(u"a"_s, u"a"_s);
        f.window->CancelLock(); // its button is hidden, and locked it must not let go
        QVERIFY(f.window && f.window->isLocked());

        Fixture g;
        g.child<QPushButton>("按钮_取消")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(g.window.isNull());
    }

    void tickHoldsCursorAndEndsTaskManagers() {
        Fixture f;
        f.lock(u"a"_s, u"a"_s);
        f.cursor.at = QPoint(0, 1079);
        f.window->LockTick();
        QCOMPARE(f.cursor.moves, QList<QPoint>{QPoint(10, 1064)});
        QCOMPARE(f.killer.calls, QList<QStringList>{taskManagerNames()});
        QVERIFY(taskManagerNames().contains(u"gnome-system-monitor"_s));

        f.window->LockTick(); // inside the limit now: not moved again
        QCOMPARE(f.cursor.moves.size(), 1);
        f.cursor.screen = QRect(0, 0, 800, 600); // the resolution changed while locked
        f.window->LockTick();
        QCOMPARE(f.cursor.moves.last(), QPoint(10, 584));
        QCOMPARE(f.killer.calls.size(), 3);
    }

    void grabRetriedUntilHeld() {
        Fixture f;
        f.grab.failures = 2;
        f.lock(u"a"_s, u"a"_s);
        QList<int> attempts;
        for (int tick = 0; tick < 4; ++tick) {
            f.window->LockTick();
            attempts.append(f.grab.attempts);
        }
        QCOMPARE(attempts, (QList<int>{1, 2, 3, 3})); // failed twice, held from the third tick on
        QVERIFY(f.window->isLocked() && f.window->inputGrabbed());
        QEvent deactivate(QEvent::WindowDeactivate); // another client took the grabs
        QApplication::sendEvent(f.window, &deactivate);
        f.window->LockTick();
        QCOMPARE(f.grab.attempts, 4);
    }

    void keysFilteredOnlyWhileLocked() {
        Fixture f;
        QLineEdit outside;
        QWidget* box = f.child("编辑框_解锁");
        QVERIFY(reaches(box, Qt::Key_Super_L, 133, 0xffeb)); // setting state: nothing filtered
        f.lock(u"a"_s, u"a"_s);
        QVERIFY(!reaches(box, Qt::Key_Super_L, 133, 0xffeb));
        QVERIFY(!reaches(&outside, Qt::Key_Super_R, 134, 0xffec)); // every key event of the program
        QVERIFY(reaches(box, Qt::Key_A, 38, 0x61));
        QVERIFY(reaches(box, Qt::Key_Control, 37, 0xffe3));
        QVERIFY(!reaches(box, Qt::Key_Escape, 9, 0xff1b));
        reaches(box, Qt::Key_Control, 37, 0xffe3, QEvent::KeyRelease);
        QVERIFY(reaches(box, Qt::Key_Escape, 9, 0xff1b));
        f.unlock(u"a"_s);
        QVERIFY(f.window.isNull());
        QVERIFY(reaches(&outside, Qt::Key_Super_L, 133, 0xffeb)); // unlocking gives the keys back
    }

    void entryPointWaitsForTheWindow() {
        ScriptedDialogs dialogs;
        RecordingKiller killer;
        QPointer<LockWindow> seen;
        bool modal = false;
        QTimer::singleShot(0, this, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* lock = qobject_cast<LockWindow*>(w))
                    seen = lock;
            QVERIFY(seen);
            modal = seen->isModal();
            seen->findChild<QPushButton*>(u"按钮_取消"_s)->click();
        });
        openLockWindow(nullptr, dialogs, killer); // returns once the window is gone
        QVERIFY(modal);
        QVERIFY(seen.isNull());
        QVERIFY(killer.calls.isEmpty());
    }
};

ORVANE_TEST(LockWindowTest)
#include "test_LockWindow.moc"
