// Sound output: files with a play count, and in-memory WAV clips.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvane {

// What became of a play request, so that a ring nobody can hear is not taken for one that sounds.
enum class PlayOutcome {
    Played,     // sounding now (or, for count 0, stopped as asked)
    Unplayable, // the file is missing or cannot be decoded: nothing sounds
    NoOutput,   // no sound library or no audio device: nothing can be heard at all
};

// How loud a file plays: a share of the program's own stream, never the system's volume, optionally
// rising from silence to it. The default is full volume from the first sample.
struct RingLevel {
    static constexpr int kMinPercent = 10; // a ring that can be set quieter is a ring nobody hears
    static constexpr int kMaxPercent = 100;
    int percent = kMaxPercent; // outside 10–100 it is brought to the nearer end
    int fadeInSeconds = 0;     // 0 or less: no rise
    bool operator==(const RingLevel&) const = default;
};

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Stops any sound, then plays the MP3 or WAV file count times; -1 loops until stop(), 0 plays nothing.
    // The level holds for this file until it ends or is stopped.
    virtual PlayOutcome play(const QString& file, int count, const RingLevel& level) = 0;
    PlayOutcome play(const QString& file, int count) { return play(file, count, RingLevel{}); }
    virtual void stop() = 0;
    // Plays an in-memory WAV without waiting, at its own full volume whatever the level of play().
    virtual void playClip(const QByteArray& wav) = 0;
    // True while a file started by play() is still sounding.
    virtual bool isPlaying() const = 0;
};

} // namespace orvane
