// The screen-lock window "挂机...": set a lock password, cover the screen, hold keys and mouse, unlock.
#pragma once

#include "protect/KeyboardFilter.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWindow;

namespace orvane {

class CursorControl;
class Dialogs;
class InputGrab;
class ProcessKiller;

// What the lock reaches outside the program; tests pass fakes so nothing real is moved or ended.
struct LockServices {
    Dialogs& dialogs;
    ProcessKiller& killer;
    CursorControl& cursor;
    InputGrab& grab;
};

// Opens the lock window, modal, and returns when it is gone (cancelled or unlocked). The click handler
// of the main window's "挂机" button.
void openLockWindow(QWidget* parent, Dialogs& dialogs, ProcessKiller& killer);

// Application-modal top-level window that destroys itself when it goes; each one starts in the setting
// state with empty boxes.
class LockWindow : public QWidget {
    Q_OBJECT
public:
    // LockTick's period while locked: short enough that the cursor never visibly leaves its rectangle.
    static constexpr int kTickMs = 10;

    LockWindow(const LockServices& services, QWidget* parent = nullptr);
    ~LockWindow() override;

    // 按钮_确定: checks the two passwords, then covers the screen, shows the unlock controls, holds the
    // keyboard and starts 时钟1.
    void StartLock();
    // 按钮_取消: destroys the window without locking.
    void CancelLock();
    // 按钮_解锁: the right password (exactly the first lock box) lets everything go and destroys the
    // window; in every case the unlock box is cleared and focused.
    void TryUnlock();
    // 时钟1, every kTickMs while locked: holds the cursor, ends the task managers, grabs what is not held.
    void LockTick();
    // Asked before every close from outside (title bar, Alt+F4, window manager): always no.
    bool LockWindowQueryClose() const { return false; }

    bool isLocked() const { return locked_; }
    bool inputGrabbed() const { return grabbed_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    // Esc presses 取消 before locking; while locked there is nothing to cancel.
    void keyPressEvent(QKeyEvent* event) override;
    // While locked, installed on the application: every key event passes KeyboardFilter.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void coverScreen();
    void releaseHold();
    void destroyWindow();

    LockServices services_;
    bool locked_ = false;
    bool closing_ = false;
    bool grabbed_ = false;
    QPointer<QWindow> grabbedWindow_;
    KeyboardFilterState keyState_;
    const QStringList taskManagers_;

    QLabel* passwordLabel_;
    QLineEdit* passwordEdit_;
    QLabel* confirmLabel_;
    QLineEdit* confirmEdit_;
    QPushButton* lockButton_;
    QPushButton* cancelButton_;
    QLabel* unlockLabel_;
    QLineEdit* unlockEdit_;
    QPushButton* unlockButton_;
    QTimer* lockTicker_;
};

} // namespace orvane
