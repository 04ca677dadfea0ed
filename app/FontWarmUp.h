// Loading the system's font configuration on the second core while the program starts.
#pragma once

#include <thread>

namespace orvane {

// The first text the main window measures would otherwise wait for the font configuration to be read
// and parsed (a third of the start): made first thing in main(), this reads it beside the window's
// set-up. The destructor waits for it, so nothing outlives main().
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread thread_;
};

} // namespace orvane
