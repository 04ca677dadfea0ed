// The local wall clock; tests replace it with a fake that they set and advance.
#pragma once

#include <QDateTime>

namespace orvane {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0; // local time
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace orvane
