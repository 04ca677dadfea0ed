// The font configuration read on a thread of its own.
#include "app/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace orvane {

FontWarmUp::FontWarmUp() {
    // Qt loads its platform plugin meanwhile; it asks fontconfig nothing before its first text, and
    // main() waits for this thread before that.
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to be had: Qt reads the configuration itself when it first needs it.
    }
}

FontWarmUp::~FontWarmUp() {
    wait();
}

void FontWarmUp::wait() {
    if (thread_.joinable())
        thread_.join();
}

} // namespace orvane
