// Sound output: files with a play count, and in-memory WAV clips.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvane {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Stops any sound, then plays the MP3 or WAV file count times; -1 loops until stop(), 0 plays nothing.
    // A missing or unplayable file plays nothing and reports nothing.
    virtual void play(const QString& file, int count) = 0;
    virtual void stop() = 0;
    // Plays an in-memory WAV without waiting.
    virtual void playClip(const QByteArray& wav) = 0;
};

} // namespace orvane
