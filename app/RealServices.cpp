// Wiring the real services together.
#include "app/RealServices.h"

#include "platform/PulseSoundServer.h"

namespace orvane {

RealServices::RealServices(Paths paths, Clock* clock, SoundPlayer* sound)
    : settings_(paths), registry_(paths) {
    paths.makeFolders(); // a folder that cannot be made shows up as the database message
    services_.paths = std::move(paths);
    services_.settings = &settings_;
    services_.clock = clock ? clock : &clock_;
    services_.dialogs = &dialogs_;
    services_.registry = &registry_;
    services_.sound = sound ? sound : &sound_;
    services_.timeSetter = &timeSetter_;
    services_.killer = &killer_;
    services_.clockEvents = &clockEvents_;
    services_.notifier = &notifier_;
    // libpulse is loaded by the client's first question, at the first ring.
    services_.soundServer = [] { return std::make_unique<PulseSoundServer>(); };
    services_.wakeAlarm = &wakeAlarm_;
}

} // namespace orvane
