// A clock the test sets and advances; nothing else moves it.
#pragma once

#include "platform/Clock.h"

#include <utility>

namespace orvane::test {

class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2024, 1, 1), QTime(8, 0)))
        : now_(std::move(start)) {}

    QDateTime now() const override { return now_; }
    void set(const QDateTime& time) { now_ = time; }
    void set(QDate date, QTime time) { now_ = QDateTime(date, time); }
    void advance(qint64 seconds) { now_ = now_.addSecs(seconds); }
    void advanceMs(qint64 milliseconds) { now_ = now_.addMSecs(milliseconds); }

private:
    QDateTime now_;
};

} // namespace orvane::test
