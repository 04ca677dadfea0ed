// The lock on a real X server (its own Xvfb, the CTest entry test_protect_x11): the server grants the
// keyboard and pointer grabs, another client cannot take them until unlock, and the cursor is held.
// Skipped on every other platform.
#include "LockFakes.h"
#include "ScriptedDialogs.h"
#include "TestRegistry.h"
#include "protect/LockWindow.h"
#include "protect/QtLockPrimitives.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#ifdef ORVANE_HAVE_XCB
#include <xcb/xcb.h>
#endif

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Whether another X client could take the keyboard and the pointer now (it lets them go at once).
bool anotherClientCanGrab() {
#ifdef ORVANE_HAVE_XCB
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    auto* keyboard = xcb_grab_keyboard_reply(
        c, xcb_grab_keyboard(c, 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
        nullptr);
    auto* pointer =
        xcb_grab_pointer_reply(c,
                               xcb_grab_pointer(c, 0, root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                                                XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
                               nullptr);
    const bool granted = keyboard && keyboard->status == XCB_GRAB_STATUS_SUCCESS && pointer &&
                         pointer->status == XCB_GRAB_STATUS_SUCCESS;
    free(keyboard);
    free(pointer);
    xcb_disconnect(c); // ends this client's grabs
    return granted;
#else
    return false;
#endif
}

} // namespace

class LockGrabTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server: runs as test_protect_x11 under xvfb-run");
    }

    void grabsHeldUntilUnlock() {
        ScriptedDialogs dialogs;
        RecordingKiller killer;
        QtCursorControl cursor;
        QtInputGrab grab;
        QPointer<LockWindow> window = new LockWindow({dialogs, killer, cursor, grab});
        window->show();
        window->findChild<QLineEdit*>(u"编辑框_加锁密码1"_s)->setText(u"a"_s);
        window->findChild<QLineEdit*>(u"编辑框_加锁密码2"_s)->setText(u"a"_s);
        window->findChild<QPushButton*>(u"按钮_确定"_s)->click();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->geometry(), cursor.screenGeometry());

        // The grabs fail until the window is viewable; the ticks try again until the server grants them.
        QTRY_VERIFY((window->LockTick(), window->inputGrabbed()));
#ifdef ORVANE_HAVE_XCB
        QVERIFY(!anotherClientCanGrab());
#endif
        QCursor::setPos(0, 0); // this test's own X server, not the desktop's
        window->LockTick();
        QCOMPARE(QCursor::pos(), QPoint(10, 10));

        window->findChild<QLineEdit*>(u"编辑框_解锁"_s)->setText(u"a"_s);
        window->findChild<QPushButton*>(u"按钮_解锁"_s)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
#ifdef ORVANE_HAVE_XCB
        QVERIFY(anotherClientCanGrab());
#endif
    }
};

ORVANE_TEST(LockGrabTest)
#include "test_LockGrab.moc"
