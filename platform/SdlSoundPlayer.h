// The sound player over SDL2_mixer: music files with a play count, and in-memory WAV clips.
#pragma once

#include "platform/SoundPlayer.h"

#include <QByteArray>
#include <QString>

struct _Mix_Music; // SDL_mixer's own type names, kept out of this header
struct Mix_Chunk;

namespace orvane {

struct SdlApi;

// Used from the GUI thread only, one object at a time (SDL's audio device is process-wide). The SDL
// libraries are loaded and the audio device opened on the first sound, so start-up pays nothing for SDL.
// When the device cannot be opened the player falls back to SDL's silent "dummy" driver, so that files
// still take their time (isPlaying), and play() answers NoOutput; when the libraries are missing it
// stays silent and answers NoOutput too. Every such failure is logged under "orvane.sound". A file's
// level is SDL_mixer's music volume, applied to the program's own samples; clips have a channel of their
// own and keep their full volume.
class SdlSoundPlayer final : public SoundPlayer {
public:
    // driver: an SDL audio driver name ("disk" lets tests capture the output); empty takes SDL's choice.
    // A driver named here counts as heard, even "dummy": only the fallback to it answers NoOutput.
    explicit SdlSoundPlayer(QString driver = {});
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    using SoundPlayer::play;
    PlayOutcome play(const QString& file, int count, const RingLevel& level) override;
    void stop() override;
    // A new clip replaces the one still sounding; music goes on under it.
    void playClip(const QByteArray& wav) override;
    // Clips do not count: they are the chime's, and never the ring that a caller waits for.
    bool isPlaying() const override;

private:
    enum class Audio { Closed, Open, Unavailable };
    bool ensureOpen();
    bool openWith(const QByteArray& driver);
    void freeMusic();
    void freeClip();

    QByteArray driver_;
    Audio audio_ = Audio::Closed;
    bool fallback_ = false;       // open on the silent dummy driver because the chosen one failed
    const SdlApi* sdl_ = nullptr; // set with the first sound; null while Closed or with no libraries
    _Mix_Music* music_ = nullptr;
    Mix_Chunk* clip_ = nullptr;
};

} // namespace orvane
