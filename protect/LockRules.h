// The screen lock's rules that need no window: the lock-password check, where the unlock controls go,
// the rectangle the cursor is held in, and the task managers it closes.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace orvane {

namespace locktext {
inline QString caption() {
    return QStringLiteral("挂机...");
}
inline QString errorCaption() {
    return QStringLiteral("输入错误");
}
inline QString empty() {
    return QStringLiteral("口令不允许为空！");
}
inline QString mismatch() {
    return QStringLiteral("两次口令输入不一致\n请重新输入！");
}
inline QString keyboardNotHeld() {
    return QStringLiteral("当前桌面不允许程序锁定键盘，挂机只能遮住屏幕");
}
inline QString lockAnyway() {
    return QStringLiteral("仍然挂机");
}
inline QString cancel() {
    return QStringLiteral("取消");
}
} // namespace locktext

// The message that refuses the two lock passwords, empty when they lock. An empty box is reported first;
// the texts are compared exactly (case and every character).
QString lockPasswordRefusal(const QString& password, const QString& confirmation);

// Where the unlock controls go on a lock window of the given size; their sizes stay as laid out.
// Halves drop any fraction: the label at (W/2, H/2), the box right of it, the button below the box,
// shifted right by half its own width less 12.
struct UnlockPlacement {
    QRect label;
    QRect edit;
    QRect button;
};
UnlockPlacement placeUnlockControls(QSize window, QSize label, QSize edit, QSize button);

// The rectangle the cursor is held in, as Windows rectangles are given: right and bottom lie just
// outside it. For a screen of W × H at the origin it is (10, 10, W − 15, H − 15).
struct CursorLimit {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const CursorLimit&) const = default;
};
CursorLimit cursorLimit(const QRect& screen);
// The nearest point inside the limit (the point itself when it is inside).
QPoint clampCursor(QPoint position, const CursorLimit& limit);

// Executable names of the desktops' task managers, ended at every tick while locked.
QStringList taskManagerNames();

} // namespace orvane
