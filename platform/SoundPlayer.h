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

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Stops any sound, then plays the MP3 or WAV file count times; -1 loops until stop(), 0 plays nothing.
    virtual PlayOutcome play(const QString& file, int count) = 0;
    virtual void stop() = 0;
    // Plays an in-memory WAV without waiting.
    virtual void playClip(const QByteArray& wav) = 0;
    // True while a file started by play() is still sounding.
    virtual bool isPlaying() const = 0;
};

} // namespace orvane
