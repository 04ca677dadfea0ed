// Scanning the alarms once a minute, catching up minutes that were skipped.
#include "alarm/Scheduler.h"

#include "alarm/AlarmModel.h"
#include "alarm/SnoozeStore.h"
#include "common/FlagText.h"
#include "common/Log.h"
#include "platform/Clock.h"
#include "platform/IniProfile.h"
#include "platform/SystemSettings.h"

#include <algorithm>

namespace orvane {

Scheduler::Scheduler(const Clock& clock, AlarmModel& model, const Paths& paths, SnoozeStore* snoozes,
                     QObject* parent)
    : QObject(parent), clock_(clock), model_(model), paths_(paths), snoozes_(snoozes),
      window_(minuteKey(clock.now())) {}

void Scheduler::AlarmScheduler() {
    const MinuteWindow::Range range = window_.advance(minuteKey(clock_.now()));
    // The other ticks of a minute do nothing but read the clock.
    if (range.empty())
        return;

    std::vector<FiredAlarm> due;
    const int rows = model_.size();
    for (int r = 0; r < rows; ++r) {
        const Alarm& alarm = model_.at(r);
        if (alarm.time.repeat == Repeat::Never)
            continue;
        // Mostly one minute; after a jump at most a day, so at most two rings of a daily alarm.
        for (std::optional<qint64> at = alarm.time.nextAt(range.from + 1, range.to); at && *at <= range.to;
             at = alarm.time.nextAt(*at + 1, range.to)) {
            if (!window_.hasRung(alarm.key, *at))
                due.push_back({alarm, *at, int(range.to - *at)});
        }
    }
    if (snoozes_ != nullptr)
        for (FiredAlarm& alarm : snoozes_->takeDue(range.to))
            due.push_back(std::move(alarm));
    if (due.empty())
        return;
    std::stable_sort(due.begin(), due.end(),
                     [](const FiredAlarm& a, const FiredAlarm& b) { return a.minute < b.minute; });

    QList<qint64> deleted;
    const bool autoDelete = readFlag(
        IniProfile::read(settings::systemFile(paths_), settings::systemSection(), settings::autoDeleteKey()));
    for (const FiredAlarm& alarm : due) {
        if (!alarm.snoozed)
            window_.markRung(alarm.alarm.key, alarm.minute);
        if (alarm.lateMinutes > 0)
            qCInfo(lcAlarm) << "alarm" << alarm.alarm.key << "rings" << alarm.lateMinutes << "minutes late";
        emit fired(alarm);
        // The automatic delete still deletes after the first ring, whatever the rule; a put-off ring
        // deletes nothing (its alarm went, or stays, with its first ring).
        if (autoDelete && !alarm.snoozed && !deleted.contains(alarm.alarm.key))
            deleted << alarm.alarm.key;
    }
    if (!deleted.isEmpty())
        model_.remove(deleted);
}

} // namespace orvane
