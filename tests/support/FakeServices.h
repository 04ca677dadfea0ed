// The services a window is built with, all stand-ins, with every file in one temporary folder.
#pragma once

#include "FakeClock.h"
#include "RecordingSoundPlayer.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "app/Services.h"
#include "platform/ProcessKiller.h"
#include "platform/Registry.h"

namespace orvane::test {

// Ends nothing: the screen lock's task-manager sweep is checked by its own tests.
struct InertKiller final : ProcessKiller {
    int endProcesses(const QStringList&) override { return 0; }
};

struct FakeServices {
    TempDir dir;
    FakeClock clock;
    ScriptedDialogs dialogs;
    Paths paths = Paths::under(dir.path());
    Registry registry{paths};
    SystemSettings settings{paths};
    RecordingSoundPlayer quietSound; // when a test gives no player of its own
    InertKiller killer;

    explicit FakeServices(const QDateTime& now = QDateTime(QDate(2026, 12, 7), QTime(8, 5, 9))) : clock(now) {
        paths.makeFolders();
    }
    // The sound player differs from test to test (recording, or the real one on a silent device).
    Services services(SoundPlayer* sound = nullptr) {
        Services s;
        s.paths = paths;
        s.settings = &settings;
        s.clock = &clock;
        s.dialogs = &dialogs;
        s.registry = &registry;
        s.sound = sound != nullptr ? sound : &quietSound;
        s.killer = &killer;
        return s;
    }
};

} // namespace orvane::test
