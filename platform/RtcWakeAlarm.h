// Waking the machine for an alarm: an alarm timer where the process may use one, else the wake helper.
#pragma once

#include "platform/WakeAlarm.h"

#include <QProcess>
#include <QStringList>

#include <memory>
#include <optional>

namespace orvane {

// With CAP_WAKE_ALARM a timerfd on CLOCK_REALTIME_ALARM wakes the machine. Otherwise the package's
// helper, run through pkexec, writes the time to the real-time clock; its polkit policy lets the active
// local session do so without a password. A helper run ends after arm() returns; a time asked meanwhile
// waits for it, only the latest. Once the system has refused, later times are not asked for (the refusal
// may have been a dismissed password dialog). Failures are logged under "orvane.clock".
class RtcWakeAlarm final : public WakeAlarm {
    Q_OBJECT
public:
    struct Setup {
        QString rtcFile;         // without it there is no real-time clock to wake the machine
        bool alarmTimer = false; // try the alarm timer first
        QStringList helper;      // the helper's command, the time in epoch seconds appended; empty: none
    };
    // The machine's clock, the alarm timer, and pkexec with the helper installed beside the program.
    static Setup installed();

    explicit RtcWakeAlarm(Setup setup = installed(), QObject* parent = nullptr);
    ~RtcWakeAlarm() override;

    // A time not in the future arms nothing (the helper refuses it).
    void arm(const QDateTime& at) override;
    void disarm() override;
    WakeSupport support() const override { return support_; }

private:
    bool armTimer(qint64 seconds);
    void runHelper(qint64 seconds);
    void onHelperFinished(int exitCode, QProcess::ExitStatus status);
    void setSupport(WakeSupport support);

    Setup setup_;
    WakeSupport support_ = WakeSupport::Unknown;
    int timerFd_ = -1;
    bool timerTried_ = false;
    std::unique_ptr<QProcess> helperRun_;  // the run in progress
    qint64 helperSeconds_ = 0;             // what it was asked to write
    std::optional<qint64> pendingSeconds_; // asked while it ran; 0 takes the armed time back
    bool helperArmed_ = false;             // a time the helper wrote is still standing
};

} // namespace orvane
