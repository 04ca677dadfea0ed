// The program started with a command: it runs it, by the running program or on the database itself,
// and ends without a window.
#pragma once

#include <optional>

namespace orvane {

// The exit code of the command the arguments give; none when they give none and the window starts.
// Makes its own QCoreApplication: call it before any other.
std::optional<int> runCommandLine(int argc, char** argv);

} // namespace orvane
