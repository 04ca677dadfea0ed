// A sound player that plays nothing and notes the wall-clock time of every play() call.
#pragma once

#include "bench/Probe.h"
#include "platform/SoundPlayer.h"

#include <vector>

namespace orvane::bench {

class RecordingSound final : public SoundPlayer {
public:
    struct Play {
        QString file;
        qint64 wallNs; // CLOCK_REALTIME, read first thing in play()
    };

    PlayOutcome play(const QString& file, int, const RingLevel&) override {
        const qint64 at = wallNs();
        plays.push_back({file, at});
        return PlayOutcome::Played;
    }
    void stop() override {}
    void playClip(const QByteArray&) override {}
    bool isPlaying() const override { return false; }

    std::vector<Play> plays;
};

} // namespace orvane::bench
