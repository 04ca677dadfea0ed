// The program's real outside services, made and owned together; the clock and the sound player can be
// swapped (the benchmarks measure through their own).
#pragma once

#include "app/Services.h"
#include "platform/DBusNotifier.h"
#include "platform/KernelClockEvents.h"
#include "platform/ProcfsProcessKiller.h"
#include "platform/QtDialogs.h"
#include "platform/RtcWakeAlarm.h"
#include "platform/SdlSoundPlayer.h"

namespace orvane {

class RealServices {
public:
    // Creates the data folders below paths; clock and sound default to the system clock and SDL.
    explicit RealServices(Paths paths, Clock* clock = nullptr, SoundPlayer* sound = nullptr);
    RealServices(const RealServices&) = delete;
    RealServices& operator=(const RealServices&) = delete;

    const Services& services() const { return services_; }
    // The window the dialogs are centred on and modal to.
    void setParentWindow(QWidget* window) { dialogs_.setParentWidget(window); }

private:
    SystemSettings settings_;
    SystemClock clock_;
    QtDialogs dialogs_;
    SdlSoundPlayer sound_; // opens nothing until the first sound
    Registry registry_;
    RealSystemTimeSetter timeSetter_;
    ProcfsProcessKiller killer_;
    KernelClockEvents clockEvents_;
    DBusNotifier notifier_;  // connects to the session bus at the first alarm
    RtcWakeAlarm wakeAlarm_; // arms nothing until "唤醒电脑响铃" is ticked
    Services services_;
};

} // namespace orvane
