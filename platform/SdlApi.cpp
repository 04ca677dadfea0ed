// Run-time binding of SDL2 and SDL2_mixer: dlopen by soname on the first sound, dlsym once per process.
#include "platform/SdlApi.h"

#include "common/Log.h"

#include <dlfcn.h>

#include <optional>

namespace orvane {

namespace {
// Sonames, not the unversioned names: only the development packages install those.
constexpr char kMixerLibrary[] = "libSDL2_mixer-2.0.so.0";
constexpr char kSdlLibrary[] = "libSDL2-2.0.so.0";

template <typename Function> bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function)
        qCWarning(lcSound, "SDL function %s is missing: %s", name, dlerror());
    return function != nullptr;
}

std::optional<SdlApi> load() {
    // RTLD_LOCAL keeps SDL's symbols out of the global scope; RTLD_NOW finds a broken install here rather
    // than in the middle of a call. When the process already holds the libraries (a program linked with
    // them), dlopen hands back those very copies, so the player and the program share SDL's state.
    void* mixer = dlopen(kMixerLibrary, RTLD_NOW | RTLD_LOCAL);
    void* sdl = mixer ? dlopen(kSdlLibrary, RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (!sdl) {
        qCWarning(lcSound, "no sound: %s", dlerror());
        return std::nullopt;
    }
    SdlApi api{};
    bool ok = true;
#define ORVANE_RESOLVE(library, function) ok = resolve(library, #function, api.function) && ok
    ORVANE_RESOLVE(sdl, SDL_SetHint);
    ORVANE_RESOLVE(sdl, SDL_SetHintWithPriority);
    ORVANE_RESOLVE(sdl, SDL_InitSubSystem);
    ORVANE_RESOLVE(sdl, SDL_QuitSubSystem);
    ORVANE_RESOLVE(sdl, SDL_Quit);
    ORVANE_RESOLVE(sdl, SDL_RWFromConstMem);
    ORVANE_RESOLVE(sdl, SDL_GetError);
    ORVANE_RESOLVE(mixer, Mix_Init);
    ORVANE_RESOLVE(mixer, Mix_Quit);
    ORVANE_RESOLVE(mixer, Mix_OpenAudio);
    ORVANE_RESOLVE(mixer, Mix_CloseAudio);
    ORVANE_RESOLVE(mixer, Mix_LoadMUS);
    ORVANE_RESOLVE(mixer, Mix_FreeMusic);
    ORVANE_RESOLVE(mixer, Mix_PlayMusic);
    ORVANE_RESOLVE(mixer, Mix_FadeInMusic);
    ORVANE_RESOLVE(mixer, Mix_VolumeMusic);
    ORVANE_RESOLVE(mixer, Mix_HaltMusic);
    ORVANE_RESOLVE(mixer, Mix_PlayingMusic);
    ORVANE_RESOLVE(mixer, Mix_LoadWAV_RW);
    ORVANE_RESOLVE(mixer, Mix_FreeChunk);
    ORVANE_RESOLVE(mixer, Mix_PlayChannel);
    ORVANE_RESOLVE(mixer, Mix_HaltChannel);
    ORVANE_RESOLVE(mixer, Mix_Playing);
#undef ORVANE_RESOLVE
    // The handles stay open either way: closing SDL while its threads may run is unsafe, and one failed
    // load per process costs nothing.
    return ok ? std::optional(api) : std::nullopt;
}

} // namespace

const SdlApi* sdlApi() {
    static const std::optional<SdlApi> api = load();
    return api ? &*api : nullptr;
}

} // namespace orvane
