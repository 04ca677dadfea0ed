// Focus requests with the asker's activation token.
#include "platform/WindowActivation.h"

#include <QGuiApplication>
#include <QWidget>

namespace orvane {

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void activateWithToken(QWidget& window, const QByteArray& token) {
    // Qt's Wayland plugin takes XDG_ACTIVATION_TOKEN (and unsets it) at the next activation request, so
    // the token is put there just before.
    if (!token.isEmpty() && onWayland())
        qputenv("XDG_ACTIVATION_TOKEN", token);
    window.activateWindow();
}

} // namespace orvane
