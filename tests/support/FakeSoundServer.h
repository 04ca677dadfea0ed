// A sound server that answers what the test sets and records each call as a readable line.
#pragma once

#include "platform/SoundServer.h"

#include <QStringList>

#include <utility>

namespace orvane::test {

class FakeSoundServer final : public SoundServer {
public:
    // What the default output is; unmuteForRing() turns Muted into Audible until restoreMute().
    OutputState state = OutputState::Audible;
    // "defaultOutput", "unmuteForRing", "restoreMute", in call order.
    QStringList calls;

    OutputState defaultOutput() override {
        calls << QStringLiteral("defaultOutput");
        return state;
    }
    OutputState unmuteForRing() override {
        calls << QStringLiteral("unmuteForRing");
        if (state == OutputState::Muted) {
            state = OutputState::Audible;
            unmuted_ = true;
        }
        return state;
    }
    void restoreMute() override {
        calls << QStringLiteral("restoreMute");
        if (std::exchange(unmuted_, false))
            state = OutputState::Muted;
    }

private:
    bool unmuted_ = false;
};

} // namespace orvane::test
