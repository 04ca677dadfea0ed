// Run-time binding of libpulse: dlopen by soname at the first question to the sound server.
#include "platform/PulseApi.h"

#include "common/Log.h"

#include <dlfcn.h>

#include <optional>

namespace orvane {

namespace {
constexpr char kPulseLibrary[] = "libpulse.so.0"; // the soname: only the dev package has libpulse.so

template <typename Function> bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function)
        qCWarning(lcSound, "libpulse function %s is missing: %s", name, dlerror());
    return function != nullptr;
}

std::optional<PulseApi> load() {
    // The sound player's SDL has usually loaded it already for its own output; dlopen then only counts.
    void* library = dlopen(kPulseLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        qCWarning(lcSound, "no sound server can be asked: %s", dlerror());
        return std::nullopt;
    }
    PulseApi api{};
    bool ok = true;
#define ORVANE_RESOLVE(function) ok = resolve(library, #function, api.function) && ok
    ORVANE_RESOLVE(pa_mainloop_new);
    ORVANE_RESOLVE(pa_mainloop_free);
    ORVANE_RESOLVE(pa_mainloop_get_api);
    ORVANE_RESOLVE(pa_mainloop_prepare);
    ORVANE_RESOLVE(pa_mainloop_poll);
    ORVANE_RESOLVE(pa_mainloop_dispatch);
    ORVANE_RESOLVE(pa_context_new);
    ORVANE_RESOLVE(pa_context_connect);
    ORVANE_RESOLVE(pa_context_disconnect);
    ORVANE_RESOLVE(pa_context_unref);
    ORVANE_RESOLVE(pa_context_get_state);
    ORVANE_RESOLVE(pa_context_errno);
    ORVANE_RESOLVE(pa_strerror);
    ORVANE_RESOLVE(pa_context_get_server_info);
    ORVANE_RESOLVE(pa_context_get_sink_info_by_name);
    ORVANE_RESOLVE(pa_context_set_sink_mute_by_name);
    ORVANE_RESOLVE(pa_operation_get_state);
    ORVANE_RESOLVE(pa_operation_unref);
#undef ORVANE_RESOLVE
    return ok ? std::optional(api) : std::nullopt;
}

} // namespace

const PulseApi* pulseApi() {
    static const std::optional<PulseApi> api = load();
    return api ? &*api : nullptr;
}

} // namespace orvane
