// Bringing a window of the program to the front when the user asked for it somewhere else (a second
// start from the launcher, a click on the tray icon).
#pragma once

#include <QByteArray>

class QWidget;

namespace orvane {

bool onWayland();

// Asks for the focus for `window`. A Wayland compositor grants it only with the activation token of the
// program the user clicked in (the launcher, the panel), or to a window that appears; `token` is empty
// when the asker gave none (X11 needs none).
void activateWithToken(QWidget& window, const QByteArray& token);

} // namespace orvane
