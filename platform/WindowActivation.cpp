// Focus requests with the asker's activation token.
#include "platform/WindowActivation.h"

#include <QGuiApplication>
#include <QWidget>

namespace orvane {

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void activateWithToken(QWidget& window, const QByteArray& token) {
    if (onWayland()) {
        // Qt's Wayland plugin takes XDG_ACTIVATION_TOKEN (and unsets it) at the next activation request,
        // so the token is put there just before.
        if (!token.isEmpty()) {
            qputenv("XDG_ACTIVATION_TOKEN", token);
        } else if (window.isVisible() && !window.isActiveWindow()) {
            // Without a token the compositor keeps the focus where it is (panels such as waybar hand over
            // none), but it gives it to a window that appears: the window is shown anew.
            window.hide();
            window.show();
        }
    }
    window.activateWindow();
}

} // namespace orvane
