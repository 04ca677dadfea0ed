// The exit codes of the wake helper, shared by the helper and the program that runs it.
#pragma once

namespace orvane::wakehelper {
constexpr int kDone = 0;
constexpr int kRefused = 64;     // not one integer, in the past or too far ahead: nothing written
constexpr int kNoRtc = 69;       // the machine has no real-time clock to arm
constexpr int kWriteFailed = 74; // the clock refused the time
// Beyond this the real-time clock is not armed: a longer wait is a mistake, not a plan.
constexpr long long kMaxAheadSeconds = 400LL * 24 * 60 * 60;
} // namespace orvane::wakehelper
