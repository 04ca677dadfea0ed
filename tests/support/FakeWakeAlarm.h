// A wake alarm that arms nothing: it keeps the time asked and answers the support the test sets.
#pragma once

#include "platform/WakeAlarm.h"

#include <optional>
#include <utility>

namespace orvane::test {

class FakeWakeAlarm final : public WakeAlarm {
public:
    std::optional<QDateTime> armed; // the time the machine would wake at, if any

    // What arm() reports from now on (Ready: the time is kept; otherwise nothing is armed).
    void setSupport(WakeSupport support) {
        if (std::exchange(support_, support) != support)
            emit supportChanged(support);
    }
    void arm(const QDateTime& at) override {
        if (support_ == WakeSupport::Ready)
            armed = at;
    }
    void disarm() override { armed.reset(); }
    WakeSupport support() const override { return support_; }

private:
    WakeSupport support_ = WakeSupport::Ready;
};

} // namespace orvane::test
