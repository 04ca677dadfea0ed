// The program's logging categories, one per subsystem. A failure the user is deliberately not shown is
// a warning in one of them. Warnings and notes are on by default; debug output is switched on with
// QT_LOGGING_RULES (e.g. "orvane.*.debug=true"). Messages go to standard error, which a desktop session
// hands to the journal (journalctl --user).
#pragma once

#include <QLoggingCategory>

namespace orvane {
Q_DECLARE_LOGGING_CATEGORY(lcAlarm)  // orvane.alarm: rings, the chime, the scheduler
Q_DECLARE_LOGGING_CATEGORY(lcStore)  // orvane.store: the database, INI and registry files, stored imports
Q_DECLARE_LOGGING_CATEGORY(lcSound)  // orvane.sound: the sound player and its device
Q_DECLARE_LOGGING_CATEGORY(lcClock)  // orvane.clock: clock changes, suspend and resume
Q_DECLARE_LOGGING_CATEGORY(lcNotify) // orvane.notify: desktop notifications
Q_DECLARE_LOGGING_CATEGORY(lcUi)     // orvane.ui: tray, single instance, translations, browser module
Q_DECLARE_LOGGING_CATEGORY(lcLock)   // orvane.lock: the screen lock's keyboard hold and process sweep
Q_DECLARE_LOGGING_CATEGORY(lcNet)    // orvane.net: HTTP, NTP, setting the clock

// Whether the user's terminal or journal gets a message: the program's own categories always; the
// libraries' (Qt's warnings, the web engine's start-up report) only when the user set logging rules to
// see them, or when they are critical or fatal.
bool shownToUser(QtMsgType type, const char* category, bool rulesSet);
// Installs shownToUser in front of Qt's message output for the program (QT_LOGGING_RULES decides
// rulesSet). Not in tests, which see every message.
void showUserMessagesOnly();
} // namespace orvane
