// Stand-ins for the lock's hold on the desktop: a screen and cursor, a process killer, input grabs.
#pragma once

#include "platform/LockPrimitives.h"
#include "platform/ProcessKiller.h"

#include <QList>
#include <QStringList>
#include <QWindow>

namespace orvane::test {

class FakeCursor final : public CursorControl {
public:
    QRect screen{0, 0, 1920, 1080};
    QPoint at{500, 400};
    QList<QPoint> moves;

    QRect screenGeometry() const override { return screen; }
    QPoint position() const override { return at; }
    void moveTo(QPoint position) override {
        moves.append(position);
        at = position;
    }
};

class RecordingKiller final : public ProcessKiller {
public:
    QList<QStringList> calls;
    int endProcesses(const QStringList& executableNames) override {
        calls.append(executableNames);
        return 0;
    }
};

// Refuses the first `failures` grabs, then grants them; says it can hold the keyboard when `canHold`.
class FakeGrab final : public InputGrab {
public:
    bool canHold = true;
    int failures = 0;
    int attempts = 0;
    QList<QWindow*> released;

    bool canHoldKeyboard(QWindow*) const override { return canHold; }
    bool grab(QWindow* window) override {
        ++attempts;
        if (failures > 0) {
            --failures;
            return false;
        }
        return window != nullptr;
    }
    void release(QWindow* window) override { released.append(window); }
};

} // namespace orvane::test
