// Scanning the alarms once a minute, catching up minutes that were skipped.
#include "alarm/Scheduler.h"

#include "alarm/AlarmModel.h"
#include "alarm/SkipStore.h"
#include "alarm/SnoozeStore.h"
#include "common/Log.h"

#include <algorithm>

namespace orvane {

Scheduler::Scheduler(qint64 startMinute, const AlarmModel& model, SnoozeStore* snoozes, SkipStore* skips,
                     QObject* parent)
    : QObject(parent), model_(model), snoozes_(snoozes), skips_(skips), window_(startMinute) {}

void Scheduler::AlarmScheduler(const QDateTime& now) {
    const MinuteWindow::Range range = window_.advance(minuteKey(now));
    // The other ticks of a minute do nothing but read the clock.
    if (range.empty())
        return;

    std::vector<FiredAlarm> due;
    const int rows = model_.size();
    for (int r = 0; r < rows; ++r) {
        const Alarm& alarm = model_.at(r);
        if (alarm.time.rule.kind == RuleKind::Unknown)
            continue;
        // Mostly one minute; after a jump at most a day, so at most two rings of a daily alarm.
        for (std::optional<qint64> at = alarm.time.nextAt(range.from + 1, range.to); at && *at <= range.to;
             at = alarm.time.nextAt(*at + 1, range.to)) {
            if (window_.hasRung(alarm.key, *at))
                continue;
            if (skips_ != nullptr && skips_->take(alarm.key, *at)) {
                qCInfo(lcAlarm) << "alarm" << alarm.key << "skipped, as asked";
                window_.markRung(alarm.key, *at);
                continue;
            }
            due.push_back({alarm, *at, int(range.to - *at)});
        }
    }
    if (snoozes_ != nullptr)
        for (FiredAlarm& alarm : snoozes_->takeDue(range.to))
            due.push_back(std::move(alarm));
    std::stable_sort(due.begin(), due.end(),
                     [](const FiredAlarm& a, const FiredAlarm& b) { return a.minute < b.minute; });
    for (const FiredAlarm& alarm : due) {
        if (!alarm.snoozed)
            window_.markRung(alarm.alarm.key, alarm.minute);
        if (alarm.lateMinutes > 0)
            qCInfo(lcAlarm) << "alarm" << alarm.alarm.key << "rings" << alarm.lateMinutes << "minutes late";
        emit fired(alarm);
    }
}

} // namespace orvane
