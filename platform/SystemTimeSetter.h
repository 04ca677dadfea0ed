// Setting the PC's local date and time; tests replace it with a fake that records what was set.
#pragma once

#include <QDateTime>

namespace orvane {

class SystemTimeSetter {
public:
    virtual ~SystemTimeSetter() = default;
    // Sets the local wall clock to `local`; false when refused (no right, a year before 1601).
    virtual bool setLocalTime(const QDateTime& local) = 0;
};

// Asks the system's time service over D-Bus (which checks the user's right to change the time),
// else sets the clock directly (which needs the right itself).
class RealSystemTimeSetter final : public SystemTimeSetter {
public:
    bool setLocalTime(const QDateTime& local) override;
};

} // namespace orvane
