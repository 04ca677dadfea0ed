// The sound player over SDL2_mixer: opens the audio device lazily and falls back to the dummy driver.
#include "platform/SdlSoundPlayer.h"

#include <QFile>

#include <SDL.h>
#include <SDL_mixer.h>

#include <utility>

namespace orvane {

namespace {
constexpr int kClipChannel = 0;
// 1024 frames (23 ms at 44.1 kHz): stop() is heard at once, and a busy machine still keeps up.
constexpr int kChunkFrames = 1024;
} // namespace

SdlSoundPlayer::SdlSoundPlayer(QString driver) : driver_(std::move(driver).toUtf8()) {}

SdlSoundPlayer::~SdlSoundPlayer() {
    if (audio_ == Audio::Closed)
        return;
    if (audio_ == Audio::Open) {
        stop();
        Mix_CloseAudio(); // joins SDL's audio thread: nothing of ours is touched after this
    }
    Mix_Quit();
    SDL_Quit(); // also clears the hints set in openWith, so a later player starts afresh
}

void SdlSoundPlayer::play(const QString& file, int count) {
    stop();
    // Mix_PlayMusic(m, 0) would play once: 0 (and any count below -1) must only stop.
    if (count == 0 || count < -1 || !ensureOpen())
        return;
    music_ = Mix_LoadMUS(QFile::encodeName(file).constData());
    if (music_ && Mix_PlayMusic(music_, count) != 0)
        freeMusic();
}

void SdlSoundPlayer::stop() {
    if (audio_ != Audio::Open)
        return;
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    freeMusic();
    freeClip();
}

void SdlSoundPlayer::playClip(const QByteArray& wav) {
    if (wav.isEmpty() || !ensureOpen())
        return;
    // The earlier clip is freed here, on the GUI thread; Mix_FreeChunk halts its channel under the
    // audio lock. Nothing is freed from Mix_ChannelFinished, which runs on SDL's audio thread.
    freeClip();
    // Mix_LoadWAV_RW decodes into a chunk of its own, so the caller's bytes need not outlive the call.
    clip_ = Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.constData(), int(wav.size())), 1);
    if (clip_ && Mix_PlayChannel(kClipChannel, clip_, 0) < 0)
        freeClip();
}

bool SdlSoundPlayer::isPlaying() const {
    return audio_ == Audio::Open && (Mix_PlayingMusic() != 0 || Mix_Playing(kClipChannel) != 0);
}

bool SdlSoundPlayer::ensureOpen() {
    if (audio_ == Audio::Closed)
        audio_ = openWith(driver_) || openWith(QByteArrayLiteral("dummy")) ? Audio::Open : Audio::Unavailable;
    return audio_ == Audio::Open;
}

bool SdlSoundPlayer::openWith(const QByteArray& driver) {
    // A Qt program handles its own signals; SDL must not take SIGINT and SIGTERM.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // OVERRIDE, because SDL otherwise lets the SDL_AUDIODRIVER variable win over a hint.
    if (!driver.isEmpty())
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.constData(), SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, MIX_DEFAULT_CHANNELS, kChunkFrames) == 0)
        return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

void SdlSoundPlayer::freeMusic() {
    if (music_)
        Mix_FreeMusic(std::exchange(music_, nullptr));
}

void SdlSoundPlayer::freeClip() {
    if (clip_)
        Mix_FreeChunk(std::exchange(clip_, nullptr));
}

} // namespace orvane
