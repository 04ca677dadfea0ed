// Classifying key events by keysym, keycode and Qt key, and the lock's decision on each.
#include "protect/KeyboardFilter.h"

#include <Qt>

namespace orvane {

namespace {
// X keysyms (X11/keysymdef.h), and the X keycode of the right Ctrl key on an evdev keyboard (97 + 8).
constexpr quint32 kSymControlL = 0xffe3;
constexpr quint32 kSymControlR = 0xffe4;
constexpr quint32 kSymSuperL = 0xffeb;
constexpr quint32 kSymSuperR = 0xffec;
constexpr quint32 kSymEscape = 0xff1b;
constexpr quint32 kCodeControlR = 105;
} // namespace

LockKey classifyKey(const KeyStroke& stroke) {
    switch (stroke.nativeVirtualKey) {
    case kSymSuperL:
    case kSymSuperR:
        return LockKey::Super;
    case kSymControlL:
        return LockKey::LeftCtrl;
    case kSymControlR:
        return LockKey::RightCtrl;
    case kSymEscape:
        return LockKey::Escape;
    default:
        break;
    }
    switch (stroke.key) {
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return LockKey::Super;
    case Qt::Key_Escape:
        return LockKey::Escape;
    case Qt::Key_Control:
        // No Ctrl keysym: the keycode tells the side, and an unknown side counts as left.
        return stroke.nativeScanCode == kCodeControlR ? LockKey::RightCtrl : LockKey::LeftCtrl;
    default:
        return LockKey::Other;
    }
}

KeyVerdict KeyboardFilter(KeyboardFilterState& state, const KeyStroke& stroke) {
    const bool down = stroke.direction == KeyDirection::Down;
    switch (classifyKey(stroke)) {
    case LockKey::Super:
        return KeyVerdict::Swallow;
    case LockKey::LeftCtrl:
        state.leftCtrlDown = down;
        return KeyVerdict::Pass;
    case LockKey::Escape:
        return down && state.leftCtrlDown ? KeyVerdict::Swallow : KeyVerdict::Pass;
    case LockKey::RightCtrl:
    case LockKey::Other:
        break;
    }
    return KeyVerdict::Pass;
}

} // namespace orvane
