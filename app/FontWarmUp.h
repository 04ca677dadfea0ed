// Loading the system's font configuration on the second core while the program starts.
#pragma once

#include <thread>

namespace orvane {

// The first text the main window measures would otherwise wait for the font configuration to be read
// and parsed (a third of the start): made first thing in main(), this reads it while Qt loads its
// platform plugin. The destructor waits for it too, so nothing outlives main().
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    // Waits for the configuration; called before the first control is made, so that fontconfig is never
    // busy on two threads at once (Qt then finds the configuration ready instead of loading a copy).
    void wait();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread thread_;
};

} // namespace orvane
