// The lock's cursor and grabs over QGuiApplication, QCursor and QWindow.
#include "protect/QtLockPrimitives.h"

#include "platform/WaylandKeyboardHold.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace orvane {

namespace {
bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
} // namespace

QRect QtCursorControl::screenGeometry() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect();
}

QPoint QtCursorControl::position() const {
    return QCursor::pos();
}

void QtCursorControl::moveTo(QPoint position) {
    if (!onWayland())
        QCursor::setPos(position);
}

QtInputGrab::QtInputGrab() {
    if (onWayland())
        wayland_ = std::make_unique<WaylandKeyboardHold>();
}

QtInputGrab::~QtInputGrab() = default;

bool QtInputGrab::canHoldKeyboard(QWindow*) const {
    if (wayland_ != nullptr)
        return wayland_->available();
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool QtInputGrab::grab(QWindow* window) {
    if (wayland_ != nullptr)
        return wayland_->hold(window);
    if (window == nullptr)
        return false;
    // QWidget::grabKeyboard would also send every key to the lock window itself instead of the focused
    // unlock box, and does not say whether the X server granted the grab; QWindow does both right.
    const bool keyboard = window->setKeyboardGrabEnabled(true);
    const bool pointer = window->setMouseGrabEnabled(true);
    return keyboard && pointer;
}

void QtInputGrab::release(QWindow* window) {
    if (wayland_ != nullptr) {
        wayland_->release();
        return;
    }
    if (window == nullptr)
        return;
    window->setKeyboardGrabEnabled(false);
    window->setMouseGrabEnabled(false);
}

} // namespace orvane
