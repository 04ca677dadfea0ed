// The sound player over SDL2_mixer: loads SDL and opens the device on the first sound; dummy as fallback.
#include "platform/SdlSoundPlayer.h"

#include "common/Log.h"
#include "platform/SdlApi.h"

#include <QFile>

#include <algorithm>
#include <utility>

namespace orvane {

namespace {
constexpr int kClipChannel = 0;
// 1024 frames (23 ms at 44.1 kHz): stop() is heard at once, and a busy machine still keeps up.
constexpr int kChunkFrames = 1024;
} // namespace

SdlSoundPlayer::SdlSoundPlayer(QString driver) : driver_(std::move(driver).toUtf8()) {}

SdlSoundPlayer::~SdlSoundPlayer() {
    if (!sdl_)
        return;
    if (audio_ == Audio::Open) {
        stop();
        sdl_->Mix_CloseAudio(); // joins SDL's audio thread: nothing of ours is touched after this
    }
    sdl_->Mix_Quit();
    sdl_->SDL_Quit(); // also clears the hints set in openWith, so a later player starts afresh
}

PlayOutcome SdlSoundPlayer::play(const QString& file, int count, const RingLevel& level) {
    stop();
    // Mix_PlayMusic(m, 0) would play once: 0 (and any count below -1) must only stop.
    if (count == 0 || count < -1)
        return PlayOutcome::Played;
    if (!ensureOpen())
        return PlayOutcome::NoOutput;
    music_ = sdl_->Mix_LoadMUS(QFile::encodeName(file).constData());
    if (!music_) {
        qCWarning(lcSound).noquote() << "cannot load" << QString(file + u':') << sdl_->SDL_GetError();
        return PlayOutcome::Unplayable;
    }
    // The music volume scales our own samples before they leave the process: the system's volume and
    // the clips' channel stay as they are. SDL_mixer's fade rises linearly from 0 to this volume.
    const int percent = std::clamp(level.percent, RingLevel::kMinPercent, RingLevel::kMaxPercent);
    sdl_->Mix_VolumeMusic((MIX_MAX_VOLUME * percent + 50) / 100);
    const int started = level.fadeInSeconds > 0
                            ? sdl_->Mix_FadeInMusic(music_, count, level.fadeInSeconds * 1000)
                            : sdl_->Mix_PlayMusic(music_, count);
    if (started != 0) {
        qCWarning(lcSound).noquote() << "cannot play" << QString(file + u':') << sdl_->SDL_GetError();
        freeMusic();
        return PlayOutcome::Unplayable;
    }
    // On the fallback the file still runs its course, silently, so that isPlaying keeps its timing.
    return fallback_ ? PlayOutcome::NoOutput : PlayOutcome::Played;
}

void SdlSoundPlayer::stop() {
    if (audio_ != Audio::Open)
        return;
    sdl_->Mix_HaltMusic();
    sdl_->Mix_HaltChannel(-1);
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
    clip_ = sdl_->Mix_LoadWAV_RW(sdl_->SDL_RWFromConstMem(wav.constData(), int(wav.size())), 1);
    if (!clip_)
        qCWarning(lcSound).noquote() << "cannot decode a clip of" << wav.size()
                                     << "bytes:" << sdl_->SDL_GetError();
    else if (sdl_->Mix_PlayChannel(kClipChannel, clip_, 0) < 0) {
        qCWarning(lcSound).noquote() << "cannot play a clip:" << sdl_->SDL_GetError();
        freeClip();
    }
}

bool SdlSoundPlayer::isPlaying() const {
    return audio_ == Audio::Open && sdl_->Mix_PlayingMusic() != 0;
}

bool SdlSoundPlayer::ensureOpen() {
    if (audio_ == Audio::Closed) {
        sdl_ = sdlApi(); // logs why when it fails
        bool open = sdl_ && openWith(driver_);
        if (sdl_ && !open) {
            fallback_ = open = openWith(QByteArrayLiteral("dummy"));
            if (open)
                qCWarning(lcSound, "no audio device: sounds play silently on SDL's dummy driver");
        }
        audio_ = open ? Audio::Open : Audio::Unavailable;
    }
    return audio_ == Audio::Open;
}

bool SdlSoundPlayer::openWith(const QByteArray& driver) {
    // A Qt program handles its own signals; SDL must not take SIGINT and SIGTERM.
    sdl_->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // OVERRIDE, because SDL otherwise lets the SDL_AUDIODRIVER variable win over a hint.
    if (!driver.isEmpty())
        sdl_->SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.constData(), SDL_HINT_OVERRIDE);
    const char* name = driver.isEmpty() ? "of SDL's choice" : driver.constData();
    if (sdl_->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        qCWarning(lcSound, "audio driver %s: %s", name, sdl_->SDL_GetError());
        return false;
    }
    sdl_->Mix_Init(MIX_INIT_MP3);
    if (sdl_->Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, MIX_DEFAULT_CHANNELS, kChunkFrames) ==
        0)
        return true;
    qCWarning(lcSound, "audio device of driver %s: %s", name, sdl_->SDL_GetError());
    sdl_->SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

void SdlSoundPlayer::freeMusic() {
    if (music_)
        sdl_->Mix_FreeMusic(std::exchange(music_, nullptr));
}

void SdlSoundPlayer::freeClip() {
    if (clip_)
        sdl_->Mix_FreeChunk(std::exchange(clip_, nullptr));
}

} // namespace orvane
