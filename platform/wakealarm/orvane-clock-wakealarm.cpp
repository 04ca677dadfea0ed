// The wake helper, run as root through pkexec: writes one time to the real-time clock's wake alarm.
// It takes one argument and nothing else: epoch seconds in the future, at most 400 days ahead, or 0,
// which takes an armed time back. The file it writes is fixed when it is built, never named by the caller.
#include "platform/wakealarm/HelperExit.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>

#ifndef ORVANE_WAKEALARM_FILE
#error "the build names the file the helper writes (ORVANE_WAKEALARM_FILE)"
#endif

namespace {

using namespace orvane::wakehelper;

// The number, or -1 for anything but 1 to 12 decimal digits (no sign, blank, base prefix or second number).
long long parse(std::string_view text) {
    if (text.empty() || text.size() > 12)
        return -1;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool writeLine(const std::string& line) {
    const int fd = open(ORVANE_WAKEALARM_FILE, O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    // The kernel says no at the write (EBUSY, EINVAL); keep its reason over whatever close() says.
    const bool written = write(fd, line.data(), line.size()) == ssize_t(line.size());
    const int writeErrno = errno;
    const bool closed = close(fd) == 0;
    if (!written)
        errno = writeErrno;
    return written && closed;
}

} // namespace

int main(int argc, char** argv) {
    const long long at = argc == 2 ? parse(argv[1]) : -1;
    const long long now = time(nullptr);
    if (at < 0 || (at != 0 && (at <= now || at > now + kMaxAheadSeconds))) {
        fprintf(stderr,
                "refused: one time in epoch seconds is wanted, after now (%lld) and at most %lld s "
                "ahead, or 0\n",
                now, kMaxAheadSeconds);
        return kRefused;
    }
    if (access(ORVANE_WAKEALARM_FILE, F_OK) != 0) {
        fprintf(stderr, "no real-time clock: %s: %s\n", ORVANE_WAKEALARM_FILE, strerror(errno));
        return kNoRtc;
    }
    // The kernel refuses a new time while another is armed (EBUSY): 0 takes that back first.
    if (!writeLine("0\n") || (at != 0 && !writeLine(std::to_string(at) + '\n'))) {
        fprintf(stderr, "cannot write %s: %s\n", ORVANE_WAKEALARM_FILE, strerror(errno));
        return kWriteFailed;
    }
    return kDone;
}
