// The sound server through libpulse's API (served by PulseAudio and by PipeWire alike).
#pragma once

#include "platform/SoundServer.h"

#include <chrono>
#include <string>

namespace orvane {

// libpulse is loaded at the first question, never at start-up. Each question opens its own connection,
// waits at most `timeout` for the answers and closes it again, so nothing is left to service between
// rings; it never starts a server (no autospawn). It blocks the calling thread for that round trip,
// a few milliseconds on a working desktop. Failures are logged under "orvane.sound".
class PulseSoundServer final : public SoundServer {
public:
    explicit PulseSoundServer(std::chrono::milliseconds timeout = std::chrono::milliseconds(500));

    OutputState defaultOutput() override;
    OutputState unmuteForRing() override;
    void restoreMute() override;

private:
    OutputState ask(bool unmute);

    std::chrono::milliseconds timeout_;
    std::string unmutedSink_; // the output unmuteForRing() unmuted, to be muted again
    bool warnedNoServer_ = false;
};

} // namespace orvane
