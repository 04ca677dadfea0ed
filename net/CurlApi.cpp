// Run-time binding of libcurl: dlopen by soname on the first request, dlsym once per process.
#include "net/CurlApi.h"

#include "common/Log.h"

#include <dlfcn.h>

#include <optional>

namespace orvane {

namespace {

constexpr char kCurlLibrary[] = "libcurl.so.4"; // the soname: only the dev package has libcurl.so

template <typename Function> bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::optional<CurlApi> load() {
    void* library = dlopen(kCurlLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        qCWarning(lcNet) << "no HTTP: cannot load" << kCurlLibrary << dlerror();
        return std::nullopt;
    }
    CurlApi api{};
    bool ok = true;
#define ORVANE_RESOLVE(function) ok = resolve(library, #function, api.function) && ok
    ORVANE_RESOLVE(curl_global_init);
    ORVANE_RESOLVE(curl_multi_init);
    ORVANE_RESOLVE(curl_multi_cleanup);
    ORVANE_RESOLVE(curl_multi_add_handle);
    ORVANE_RESOLVE(curl_multi_remove_handle);
    ORVANE_RESOLVE(curl_multi_setopt);
    ORVANE_RESOLVE(curl_multi_socket_action);
    ORVANE_RESOLVE(curl_multi_info_read);
    ORVANE_RESOLVE(curl_easy_init);
    ORVANE_RESOLVE(curl_easy_cleanup);
    ORVANE_RESOLVE(curl_easy_setopt);
    ORVANE_RESOLVE(curl_easy_getinfo);
    ORVANE_RESOLVE(curl_easy_strerror);
    ORVANE_RESOLVE(curl_slist_append);
    ORVANE_RESOLVE(curl_slist_free_all);
#undef ORVANE_RESOLVE
    if (!ok || api.curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        qCWarning(lcNet) << "no HTTP:" << kCurlLibrary << "lacks a function or cannot start";
        return std::nullopt;
    }
    return api;
}

} // namespace

const CurlApi* curlApi() {
    static const std::optional<CurlApi> api = load();
    return api ? &*api : nullptr;
}

} // namespace orvane
