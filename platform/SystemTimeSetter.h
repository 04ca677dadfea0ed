// Setting the PC's date and time; tests replace it with a fake that records what was set.
#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

namespace orvane {

enum class TimeSetResult {
    Set,
    AutomaticSyncOn, // the time service refuses: the system keeps the clock itself
    Refused,         // no right, user cancelled, no service, a year before 1601
};

class SystemTimeSetter {
public:
    // The outcome and, when not set, why (for the log).
    using Done = std::function<void(TimeSetResult result, const QString& reason)>;

    virtual ~SystemTimeSetter() = default;
    // Asks to set the wall clock to `time`; `done` runs later in the event loop, never inside the call,
    // possibly minutes later when the user is asked for a password.
    virtual void setTime(const QDateTime& time, Done done) = 0;
};

// Asks the system's time service over D-Bus, interactively (it may ask the user for a password), else
// sets the clock directly (which needs the right itself, in practice root).
class RealSystemTimeSetter final : public SystemTimeSetter {
public:
    // `busName` names a D-Bus connection already opened (tests: a private bus); empty is the system bus.
    // Without `directFallback` a refusal of the service is final (tests never touch the real clock).
    explicit RealSystemTimeSetter(QString busName = {}, bool directFallback = true);
    void setTime(const QDateTime& time, Done done) override;

private:
    QString busName_;
    bool directFallback_;
};

} // namespace orvane
