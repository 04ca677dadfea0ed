// The outside services the windows reach, passed in so tests can replace each one.
#pragma once

#include "platform/Clock.h"
#include "platform/ClockEvents.h"
#include "platform/Dialogs.h"
#include "platform/Notifier.h"
#include "platform/Paths.h"
#include "platform/ProcessKiller.h"
#include "platform/Registry.h"
#include "platform/SoundPlayer.h"
#include "platform/SoundServer.h"
#include "platform/SystemSettings.h"
#include "platform/SystemTimeSetter.h"
#include "platform/WakeAlarm.h"

namespace orvane {

struct Services {
    Paths paths;
    SystemSettings* settings = nullptr; // "系统配置" of the system "sys.ini"
    Clock* clock = nullptr;
    Dialogs* dialogs = nullptr;
    Registry* registry = nullptr;
    SoundPlayer* sound = nullptr;
    SystemTimeSetter* timeSetter = nullptr;
    ProcessKiller* killer = nullptr;    // the screen lock ends task managers
    ClockEvents* clockEvents = nullptr; // the clock set, a resume: optional
    Notifier* notifier = nullptr;       // desktop notifications: optional
    SoundServerFactory soundServer;     // whether a ring can be heard: optional
    WakeAlarm* wakeAlarm = nullptr;     // waking the machine for an alarm: optional
};

} // namespace orvane
