// The font configuration read on a thread of its own.
#include "app/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace orvane {

FontWarmUp::FontWarmUp() {
    // Safe beside Qt: fontconfig publishes the loaded configuration atomically, and a caller that
    // comes before it is ready loads its own instead of waiting.
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to be had: Qt reads the configuration itself when it first needs it.
    }
}

FontWarmUp::~FontWarmUp() {
    if (thread_.joinable())
        thread_.join();
}

} // namespace orvane
