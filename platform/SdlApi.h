// The SDL2 and SDL2_mixer functions of the sound player, bound at run time: start-up loads neither.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

namespace orvane {

// One pointer per function the player calls, named and typed after the header's declaration (the
// qualified decltype keeps the member from changing the meaning of the global name).
struct SdlApi {
    decltype(&::SDL_SetHint) SDL_SetHint;
    decltype(&::SDL_SetHintWithPriority) SDL_SetHintWithPriority;
    decltype(&::SDL_InitSubSystem) SDL_InitSubSystem;
    decltype(&::SDL_QuitSubSystem) SDL_QuitSubSystem;
    decltype(&::SDL_Quit) SDL_Quit;
    decltype(&::SDL_RWFromConstMem) SDL_RWFromConstMem;
    decltype(&::SDL_GetError) SDL_GetError; // also SDL_mixer's error text: Mix_GetError is a macro for it

    decltype(&::Mix_Init) Mix_Init;
    decltype(&::Mix_Quit) Mix_Quit;
    decltype(&::Mix_OpenAudio) Mix_OpenAudio;
    decltype(&::Mix_CloseAudio) Mix_CloseAudio;
    decltype(&::Mix_LoadMUS) Mix_LoadMUS;
    decltype(&::Mix_FreeMusic) Mix_FreeMusic;
    decltype(&::Mix_PlayMusic) Mix_PlayMusic;
    decltype(&::Mix_FadeInMusic) Mix_FadeInMusic;
    decltype(&::Mix_VolumeMusic) Mix_VolumeMusic;
    decltype(&::Mix_HaltMusic) Mix_HaltMusic;
    decltype(&::Mix_PlayingMusic) Mix_PlayingMusic;
    decltype(&::Mix_LoadWAV_RW) Mix_LoadWAV_RW;
    decltype(&::Mix_FreeChunk) Mix_FreeChunk;
    decltype(&::Mix_PlayChannel) Mix_PlayChannel;
    decltype(&::Mix_HaltChannel) Mix_HaltChannel;
    decltype(&::Mix_Playing) Mix_Playing;
};

// Opens libSDL2_mixer and libSDL2 on the first call and resolves every function; later calls, from any
// thread, return the same answer. Null when a library or a function is missing: the caller stays silent.
// The libraries are never closed, since SDL keeps threads of its own.
const SdlApi* sdlApi();

} // namespace orvane
