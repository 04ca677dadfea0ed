// Ending processes by their executable name (the lock's stand-in for closing Task Manager).
#pragma once

#include <QStringList>

namespace orvane {

class ProcessKiller {
public:
    virtual ~ProcessKiller() = default;
    // Asks every process of one of these executable names (compared ignoring case) to end; never this
    // process. Returns how many were asked. Failures are silent.
    virtual int endProcesses(const QStringList& executableNames) = 0;
};

} // namespace orvane
