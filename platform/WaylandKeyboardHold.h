// Holding the keyboard on Wayland: a keyboard-shortcuts inhibitor on the lock window, where the
// compositor offers one.
#pragma once

#include <memory>

class QWindow;

namespace orvane {

// Wayland has no grabs; a compositor that offers zwp_keyboard_shortcuts_inhibit_manager_v1 can instead
// be asked to send every key, its own shortcuts included, to one surface. libwayland-client is opened at
// the first call (Qt's Wayland plugin has loaded it already), so on X11 it is never loaded at all.
class WaylandKeyboardHold {
public:
    WaylandKeyboardHold();
    ~WaylandKeyboardHold();
    WaylandKeyboardHold(const WaylandKeyboardHold&) = delete;
    WaylandKeyboardHold& operator=(const WaylandKeyboardHold&) = delete;

    // Whether the compositor offers the inhibit manager and a seat; asked once, with one round trip.
    bool available();
    // Asks the compositor to send every key to the window (replacing an earlier request); true when asked.
    bool hold(QWindow* window);
    void release();

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
    bool asked_ = false;
};

} // namespace orvane
