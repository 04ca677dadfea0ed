// Arming the wake-up for the next ring, and taking it back when the setting is turned off.
#include "alarm/AlarmWake.h"

#include "alarm/AlarmEngine.h"
#include "alarm/AlarmTime.h"
#include "platform/Clock.h"
#include "platform/SystemSettings.h"
#include "platform/WakeAlarm.h"

namespace orvane {

namespace {
// Time for the machine to come back and the program to catch up before the ring's minute.
constexpr int kWakeAheadSeconds = 60;
} // namespace

AlarmWake::AlarmWake(AlarmEngine& engine, WakeAlarm& wake, const SystemSettings& settings, const Clock& clock,
                     QObject* parent)
    : QObject(parent), engine_(engine), wake_(wake), settings_(settings), clock_(clock) {
    connect(&engine_, &AlarmEngine::wakePlanChanged, this, &AlarmWake::rearm);
}

void AlarmWake::rearm() {
    QDateTime at;
    const QDateTime now = clock_.now();
    if (settings_.wakeForAlarm() && engine_.started())
        if (const std::optional<qint64> next = engine_.nextRingMinute(minuteKey(now))) {
            at = dateTimeOfMinute(*next).addSecs(-kWakeAheadSeconds);
            // A ring less than a minute away: woken for its own minute still rings it.
            if (at <= now)
                at = dateTimeOfMinute(*next);
        }
    if (at == armedAt_)
        return;
    armedAt_ = at;
    if (at.isValid())
        wake_.arm(at);
    else
        wake_.disarm();
}

} // namespace orvane
