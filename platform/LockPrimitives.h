// The screen-lock's hold on the desktop: the screen and the mouse cursor, and the keyboard and pointer
// grabs; tests replace both so they never move the real cursor.
#pragma once

#include <QPoint>
#include <QRect>

class QWindow;

namespace orvane {

class CursorControl {
public:
    virtual ~CursorControl() = default;
    // The whole primary screen in pixels, read anew at each call (a resolution may change while locked).
    virtual QRect screenGeometry() const = 0;
    virtual QPoint position() const = 0;
    virtual void moveTo(QPoint position) = 0;
};

class InputGrab {
public:
    virtual ~InputGrab() = default;
    // Whether grab can hold the keyboard for the window on this display at all (asked before locking, so
    // the user learns first when the lock can only cover the screen).
    virtual bool canHoldKeyboard(QWindow* window) const = 0;
    // Grabs keyboard and pointer for the window; true when held. Fails where the display cannot grab
    // (offscreen, a Wayland compositor without keyboard-shortcuts inhibition) and, on X11, until the
    // window is viewable. On Wayland only the keyboard is held.
    virtual bool grab(QWindow* window) = 0;
    virtual void release(QWindow* window) = 0;
};

} // namespace orvane
