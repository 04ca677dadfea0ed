// A sound server that answers what the test sets, and unmutes and mutes again as the real one does.
#pragma once

#include "platform/SoundServer.h"

#include <utility>

namespace orvane::test {

class FakeSoundServer final : public SoundServer {
public:
    // What the default output is; unmuteForRing() turns Muted into Audible until restoreMute().
    OutputState state = OutputState::Audible;
    OutputState defaultOutput() override { return state; }
    OutputState unmuteForRing() override {
        if (state == OutputState::Muted) {
            state = OutputState::Audible;
            unmuted_ = true;
        }
        return state;
    }
    void restoreMute() override {
        if (std::exchange(unmuted_, false))
            state = OutputState::Muted;
    }

private:
    bool unmuted_ = false;
};

} // namespace orvane::test
