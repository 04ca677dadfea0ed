// The real cursor control and input grabs of the lock, over Qt's screen, cursor and window.
#pragma once

#include "platform/LockPrimitives.h"

#include <memory>

namespace orvane {

class WaylandKeyboardHold;

// The primary screen and the cursor. Moving the cursor does nothing under Wayland, where a client may
// not move it (Qt would warn at every tick).
class QtCursorControl final : public CursorControl {
public:
    QRect screenGeometry() const override;
    QPoint position() const override;
    void moveTo(QPoint position) override;
};

// X11 keyboard and pointer grabs through QWindow, whose answer says whether the server granted them.
// Wayland has no grabs: there the keyboard is held by a shortcuts inhibitor where the compositor offers
// one. Other platforms (offscreen) hold nothing.
class QtInputGrab final : public InputGrab {
public:
    QtInputGrab();
    ~QtInputGrab() override;

    bool canHoldKeyboard(QWindow* window) const override;
    bool grab(QWindow* window) override;
    void release(QWindow* window) override;

private:
    std::unique_ptr<WaylandKeyboardHold> wayland_; // on Wayland only
};

} // namespace orvane
