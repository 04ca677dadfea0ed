// Whether the desktop's notification area is a StatusNotifier host (KDE, GNOME with AppIndicator), which
// activates an icon with one click and knows no double-click, or the older XEmbed tray.
#pragma once

#include <QString>

namespace orvane {

// Asks the session bus (or the named connection busName, for tests) as Qt does when it picks its tray: a
// watcher is registered and says a host is there. False with no bus.
bool statusNotifierHostPresent(const QString& busName = {});

} // namespace orvane
