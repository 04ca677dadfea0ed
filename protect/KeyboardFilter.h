// The lock's keyboard rule: which key events are swallowed while the screen is locked.
#pragma once

#include <QtGlobal>

namespace orvane {

enum class KeyDirection { Down, Up };

// One key event as the filter sees it: Qt's key and the platform's own codes. On X11 and Wayland
// nativeVirtualKey is the X keysym and nativeScanCode the X keycode (evdev code + 8); both are 0 where
// the platform gives none.
struct KeyStroke {
    KeyDirection direction = KeyDirection::Down;
    int key = 0; // Qt::Key
    quint32 nativeVirtualKey = 0;
    quint32 nativeScanCode = 0;
};

// The keys the rule tells apart. Qt reports both Ctrl keys as Qt::Key_Control, so the side comes from
// the keysym (Control_L / Control_R), else from the keycode (105 is the right one); a Ctrl whose side the
// platform does not tell counts as the left one, so the lock errs on the side of holding Ctrl+Esc.
enum class LockKey { Super, LeftCtrl, RightCtrl, Escape, Other };
LockKey classifyKey(const KeyStroke& stroke);

// What the filter remembers between events: whether the left Ctrl key is held down.
struct KeyboardFilterState {
    bool leftCtrlDown = false;
};

enum class KeyVerdict { Pass, Swallow };

// Both Super (Windows) keys are swallowed, down and up; Esc going down while the left Ctrl key is held is
// swallowed; everything else, the right Ctrl key and its Esc included, passes. Updates state.
KeyVerdict KeyboardFilter(KeyboardFilterState& state, const KeyStroke& stroke);

} // namespace orvane
