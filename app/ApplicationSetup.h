// What the program sets on its application before the first window: its names and its Chinese locale.
#pragma once

namespace orvane {

// The application name "orvane-clock" and desktop file name (tray and notifications find the launcher
// by it). No display name: Qt would append it to every window's caption, and the captions are the
// program's own. Dates and numbers in Qt's controls follow zh_CN whatever LANG says.
void setUpApplication();

} // namespace orvane
