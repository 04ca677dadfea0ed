// Waking the machine from a suspend for an alarm: the real-time clock armed for a given time.
#pragma once

#include <QDateTime>
#include <QObject>

namespace orvane {

// Whether the machine can be woken, as far as is known; the settings page says so beside its box.
enum class WakeSupport {
    Unknown,      // nothing tried yet
    Ready,        // the last arming was accepted
    NoRtc,        // the machine has no real-time clock that can wake it
    NotPermitted, // the system refused (polkit said no, or its pkexec or our helper is missing)
};

class WakeAlarm : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Wakes the machine at `at` if it sleeps then, in place of any time armed before. May finish after
    // returning; supportChanged() tells what came of it.
    virtual void arm(const QDateTime& at) = 0;
    // Takes back the time armed before, if any.
    virtual void disarm() = 0;
    virtual WakeSupport support() const = 0;

signals:
    void supportChanged(orvane::WakeSupport support);
};

} // namespace orvane
