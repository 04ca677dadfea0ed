// The lock window: its controls, the checks of 确定, covering the screen, the tick and unlocking.
#include "protect/LockWindow.h"

#include "platform/Dialogs.h"
#include "platform/LockPrimitives.h"
#include "platform/ProcessKiller.h"
#include "platform/WidgetPlace.h"
#include "protect/LockRules.h"
#include "protect/QtLockPrimitives.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <initializer_list>

namespace orvane {

namespace {

// Where a window manager stacks docks and panels above ordinary windows, only its full-screen state puts
// the lock above them; offscreen (tests) the explicit geometry alone decides.
bool hasWindowManager() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}
} // namespace

void openLockWindow(QWidget* parent, Dialogs& dialogs, ProcessKiller& killer) {
    QtCursorControl cursor;
    QtInputGrab grab;
    QPointer<LockWindow> window = new LockWindow({dialogs, killer, cursor, grab}, parent);
    QEventLoop loop;
    QObject::connect(window.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    loop.exec(QEventLoop::DialogExec);
    // The loop also ends when the program quits; the window must not outlive cursor and grab.
    delete window.data();
}

LockWindow::LockWindow(const LockServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), taskManagers_(taskManagerNames()) {
    setObjectName(QStringLiteral("LockWindow"));
    setWindowTitle(locktext::caption());
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    resize(300, 140);

    passwordLabel_ = place(new QLabel(QStringLiteral("密码："), this), "标签_密码1", 20, 20, 76, 22);
    // Plain boxes: the password is typed twice and shown, as the user chose it only for this lock.
    passwordEdit_ = place(new QLineEdit(this), "编辑框_加锁密码1", 100, 20, 180, 22);
    passwordLabel_->setBuddy(passwordEdit_);
    confirmLabel_ = place(new QLabel(QStringLiteral("确认密码："), this), "标签_密码2", 20, 52, 76, 22);
    confirmEdit_ = place(new QLineEdit(this), "编辑框_加锁密码2", 100, 52, 180, 22);
    confirmLabel_->setBuddy(confirmEdit_);
    lockButton_ = place(new QPushButton(QStringLiteral("确定"), this), "按钮_确定", 100, 96, 76, 26);
    cancelButton_ = place(new QPushButton(QStringLiteral("取消"), this), "按钮_取消", 204, 96, 76, 26);

    // The unlock controls keep these sizes; StartLock moves them to the middle of the screen.
    unlockLabel_ = place(new QLabel(QStringLiteral("解锁密码："), this), "标签_解锁", 0, 0, 76, 22);
    unlockEdit_ = place(new QLineEdit(this), "编辑框_解锁", 0, 0, 180, 22);
    unlockLabel_->setBuddy(unlockEdit_);
    // Its context menu would take the grabs with it and give them back to nobody.
    unlockEdit_->setContextMenuPolicy(Qt::NoContextMenu);
    unlockButton_ = place(new QPushButton(QStringLiteral("确定"), this), "按钮_解锁", 0, 0, 76, 26);
    for (QWidget* w : std::initializer_list<QWidget*>{unlockLabel_, unlockEdit_, unlockButton_})
        w->hide();

    lockTicker_ = new QTimer(this);
    lockTicker_->setObjectName(QStringLiteral("时钟1"));
    lockTicker_->setInterval(kTickMs);

    connect(lockButton_, &QPushButton::clicked, this, &LockWindow::StartLock);
    connect(cancelButton_, &QPushButton::clicked, this, &LockWindow::CancelLock);
    connect(unlockButton_, &QPushButton::clicked, this, &LockWindow::TryUnlock);
    connect(lockTicker_, &QTimer::timeout, this, &LockWindow::LockTick);
    // A plain window has no default button: Return (and keypad Enter) in a box presses the button of its
    // state. KeyboardFilter passes Return while locked.
    for (QLineEdit* box : {passwordEdit_, confirmEdit_})
        connect(box, &QLineEdit::returnPressed, lockButton_, &QPushButton::click);
    connect(unlockEdit_, &QLineEdit::returnPressed, unlockButton_, &QPushButton::click);
}

LockWindow::~LockWindow() {
    releaseHold();
}

void LockWindow::StartLock() {
    if (locked_)
        return;
    setFocus();
    if (const QString refusal = lockPasswordRefusal(passwordEdit_->text(), confirmEdit_->text());
        !refusal.isEmpty()) {
        services_.dialogs.infoMessage(refusal, locktext::errorCaption());
        passwordEdit_->setFocus();
        return;
    }
    // Said before anything is covered, so the user may keep the desktop rather than trust a lock that
    // lets the desktop's shortcuts through.
    if (!services_.grab.canHoldKeyboard(windowHandle()) &&
        !services_.dialogs.question(locktext::keyboardNotHeld(), locktext::caption(), locktext::lockAnyway(),
                                    locktext::cancel())) {
        passwordEdit_->setFocus();
        return;
    }
    coverScreen();
    for (QWidget* w : std::initializer_list<QWidget*>{passwordEdit_, confirmEdit_, passwordLabel_,
                                                      confirmLabel_, lockButton_, cancelButton_})
        w->hide();

    keyState_ = {};
    qApp->installEventFilter(this);
    locked_ = true;
    lockTicker_->start();

    for (QWidget* w : std::initializer_list<QWidget*>{unlockLabel_, unlockEdit_, unlockButton_})
        w->show();
    activateWindow();
    unlockEdit_->setFocus();
}

void LockWindow::coverScreen() {
    // Frameless and on top: the window is exactly the screen, and there is no title bar and so no close
    // button. Changing the flags hides the window; it is shown again below.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    const QRect screen = services_.cursor.screenGeometry();
    setGeometry(screen);
    const UnlockPlacement at =
        placeUnlockControls(screen.size(), unlockLabel_->size(), unlockEdit_->size(), unlockButton_->size());
    unlockLabel_->setGeometry(at.label);
    unlockEdit_->setGeometry(at.edit);
    unlockButton_->setGeometry(at.button);
    if (hasWindowManager())
        setWindowState(windowState() | Qt::WindowFullScreen);
    show();
    if (hasWindowManager())
        raise();
}

void LockWindow::CancelLock() {
    if (!locked_)
        destroyWindow();
}

void LockWindow::TryUnlock() {
    if (!locked_)
        return;
    const bool right = unlockEdit_->text() == passwordEdit_->text();
    unlockEdit_->clear();
    unlockEdit_->setFocus();
    if (!right)
        return; // no message: the screen stays locked
    releaseHold();
    destroyWindow();
}

void LockWindow::LockTick() {
    if (!locked_)
        return;
    const CursorLimit limit = cursorLimit(services_.cursor.screenGeometry());
    const QPoint at = services_.cursor.position();
    if (const QPoint held = clampCursor(at, limit); held != at)
        services_.cursor.moveTo(held);
    services_.killer.endProcesses(taskManagers_);
    // A grab fails until the window is mapped, and is lost if the window is made anew: try each tick
    // until it holds. Where nothing can be held (the user was asked) this fails quietly every time.
    if (!grabbed_ || grabbedWindow_ != windowHandle()) {
        grabbedWindow_ = windowHandle();
        grabbed_ = services_.grab.grab(grabbedWindow_);
    }
}

void LockWindow::releaseHold() {
    if (!locked_)
        return;
    locked_ = false;
    lockTicker_->stop();
    qApp->removeEventFilter(this);
    if (grabbed_)
        services_.grab.release(grabbedWindow_);
    grabbed_ = false;
    grabbedWindow_ = nullptr;
    keyState_ = {};
}

void LockWindow::destroyWindow() {
    closing_ = true;
    close();
}

void LockWindow::closeEvent(QCloseEvent* event) {
    if (!closing_ && !LockWindowQueryClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool LockWindow::event(QEvent* event) {
    // Another client or a popup took the grabs away: take them again at the next tick.
    if (event->type() == QEvent::WindowDeactivate)
        grabbed_ = false;
    return QWidget::event(event);
}

void LockWindow::keyPressEvent(QKeyEvent* event) {
    if (!locked_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool LockWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (locked_ && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const KeyStroke stroke{type == QEvent::KeyPress ? KeyDirection::Down : KeyDirection::Up, key->key(),
                               key->nativeVirtualKey(), key->nativeScanCode()};
        if (KeyboardFilter(keyState_, stroke) == KeyVerdict::Swallow)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orvane
