// The desktop's sound server, asked whether a ring can be heard through its default output.
#pragma once

#include <functional>
#include <memory>

namespace orvane {

// What the default output would do to a ring that plays now.
enum class OutputState {
    Audible,    // there, unmuted, above volume 0
    Muted,      // muted: nothing is heard
    VolumeZero, // unmuted at volume 0: nothing is heard either
    NoOutput,   // the server has no output to play to (none, only its stand-in, or one unplugged)
    NoServer,   // no sound server (or no libpulse): nothing is known, the sound player decides alone
};

class SoundServer {
public:
    virtual ~SoundServer() = default;
    // The default output as it is now. Costs a round trip to the server: call it after play(), so that
    // the ring starts on time.
    virtual OutputState defaultOutput() = 0;
    // Unmutes the default output if it is muted, to be muted again by restoreMute(); the user's volume
    // is never touched. Answers the state after the attempt.
    virtual OutputState unmuteForRing() = 0;
    // Mutes again the output that unmuteForRing() unmuted; does nothing when it unmuted nothing.
    virtual void restoreMute() = 0;
};

// Makes the client of the desktop's sound server; called at the first ring that needs it, so that its
// library is loaded only then. It may answer none.
using SoundServerFactory = std::function<std::unique_ptr<SoundServer>()>;

} // namespace orvane
