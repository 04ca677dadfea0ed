// The lock-password check, the unlock controls' places, the cursor rectangle and the task managers.
#include "protect/LockRules.h"

#include <algorithm>

namespace orvane {

QString lockPasswordRefusal(const QString& password, const QString& confirmation) {
    if (password.isEmpty() || confirmation.isEmpty())
        return locktext::empty();
    if (password != confirmation)
        return locktext::mismatch();
    return QString();
}

UnlockPlacement placeUnlockControls(QSize window, QSize label, QSize edit, QSize button) {
    UnlockPlacement p;
    p.label = QRect(QPoint(window.width() / 2, window.height() / 2), label);
    p.edit = QRect(QPoint(p.label.x() + label.width(), p.label.y()), edit);
    p.button = QRect(QPoint(p.edit.x() + button.width() / 2 - 12, p.label.y() + label.height() + 10), button);
    return p;
}

CursorLimit cursorLimit(const QRect& screen) {
    return {screen.x() + 10, screen.y() + 10, screen.x() + screen.width() - 15,
            screen.y() + screen.height() - 15};
}

QPoint clampCursor(QPoint position, const CursorLimit& limit) {
    // std::max after std::min: a screen too small for the margins pins the cursor to the top left.
    return {std::max(limit.left, std::min(position.x(), limit.right - 1)),
            std::max(limit.top, std::min(position.y(), limit.bottom - 1))};
}

QStringList taskManagerNames() {
    return {
        QStringLiteral("gnome-system-monitor"),
        QStringLiteral("plasma-systemmonitor"),
        QStringLiteral("ksysguard"),
        QStringLiteral("xfce4-taskmanager"),
        QStringLiteral("mate-system-monitor"),
        QStringLiteral("lxtask"),
        QStringLiteral("qps"),
        QStringLiteral("deepin-system-monitor"),
        QStringLiteral("gnome-usage"),
        QStringLiteral("taskmgr.exe"), // under Wine
    };
}

} // namespace orvane
