// A line typed on the controlling terminal with the echo off: the account and password, never taken
// from an argument (another user could read it in the process list) nor from standard input.
#pragma once

#include <QString>

#include <optional>

namespace orvane {

// Shows the prompt and reads one line without echo (Ctrl+D: an empty line); none when the process has no
// terminal.
std::optional<QString> askOnTerminal(const QString& prompt);

} // namespace orvane
