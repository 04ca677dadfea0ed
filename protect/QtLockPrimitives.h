// The real cursor control and input grabs of the lock, over Qt's screen, cursor and window.
#pragma once

#include "platform/LockPrimitives.h"

namespace orvane {

// The primary screen and the cursor. Moving the cursor does nothing under Wayland, where a client may
// not move it (Qt would warn at every tick).
class QtCursorControl final : public CursorControl {
public:
    QRect screenGeometry() const override;
    QPoint position() const override;
    void moveTo(QPoint position) override;
};

// X11 keyboard and pointer grabs through QWindow, whose answer says whether the server granted them.
// Wayland has no grabs: it answers false without asking, silently.
class QtInputGrab final : public InputGrab {
public:
    bool grab(QWindow* window) override;
    void release(QWindow* window) override;
};

} // namespace orvane
