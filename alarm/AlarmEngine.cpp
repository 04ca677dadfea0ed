// The engine's parts wired together, its commands and its wake plan.
#include "alarm/AlarmEngine.h"

#include "alarm/AlarmNotifications.h"
#include "alarm/HourlyChime.h"
#include "alarm/Scheduler.h"
#include "alarm/WakePlan.h"
#include "common/Log.h"
#include "platform/Clock.h"
#include "platform/Notifier.h"
#include "platform/SystemSettings.h"

namespace orvane {

AlarmEngine::AlarmEngine(Database& db, const Parts& parts, QObject* parent)
    : QObject(parent), db_(db), parts_(parts), startMinute_(minuteKey(parts.clock.now())), model_(db),
      snoozes_(db), chime_(new HourlyChime(parts.sound, parts.settings, this)),
      ringer_(new AlarmRinger(
          parts.sound, parts.paths, parts.clock, parts.settings, [this] { chime_->stop(); }, &snoozes_,
          this)) {
    if (parts.notifier != nullptr)
        notifications_ = new AlarmNotifications(*ringer_, *parts.notifier, this);
    connect(ringer_, &AlarmRinger::ended, this, &AlarmEngine::turnEnded);
    // A sleeping tick aims at the next minute with work: what changes that plan re-aims it.
    connect(&model_, &AlarmModel::alarmsChanged, this, &AlarmEngine::wakePlanChanged);
    connect(&model_, &AlarmModel::alarmsChanged, this, &AlarmEngine::toolTipsChanged);
    connect(&parts.settings, &SystemSettings::changed, this, &AlarmEngine::wakePlanChanged);
}

AlarmEngine::~AlarmEngine() = default;

void AlarmEngine::start() {
    if (started())
        return;
    model_.LoadAlarmList();
    snoozes_.load();
    scheduler_ = new Scheduler(startMinute_, model_, &snoozes_, this);
    connect(scheduler_, &Scheduler::fired, ringer_, &AlarmRinger::enqueue);
    emit wakePlanChanged();
    emit toolTipsChanged();
}

void AlarmEngine::tick() {
    const QDateTime now = parts_.clock.now();
    ringer_->tick();
    if (scheduler_ != nullptr) {
        // A table that could not be read (busy, failing) is read again once a minute; meanwhile the
        // alarms loaded before keep ringing.
        const qint64 minute = minuteKey(now);
        if (minute != lastMinute_ && model_.stale())
            model_.LoadAlarmList();
        lastMinute_ = minute;
        const bool putOff = snoozes_.next().has_value();
        scheduler_->AlarmScheduler(now);
        if (putOff != snoozes_.next().has_value())
            emit toolTipsChanged();
    }
    // After the scheduler: an alarm due at the same second fires on time; the chime never blocks.
    chime_->HourlyChimeTick(now);
}

qint64 AlarmEngine::wakeMinute(qint64 now) const {
    return nextWakeMinute(now, nextAlarmMinute(model_, now), snoozes_.next(), parts_.settings.hourlyChime());
}

std::optional<qint64> AlarmEngine::add(const AlarmTexts& texts) {
    return model_.add(texts);
}

bool AlarmEngine::update(qint64 key, const AlarmTexts& texts) {
    if (!model_.update(key, texts))
        return false;
    // The put-off ring was of the alarm as it was.
    cancelPutOff(key);
    return true;
}

bool AlarmEngine::remove(qint64 key) {
    if (!model_.remove(key))
        return false;
    cancelPutOff(key);
    return true;
}

bool AlarmEngine::cancelPutOff(qint64 key) {
    if (!snoozes_.nextOf(key))
        return true;
    const bool cancelled = snoozes_.cancel(key);
    emit wakePlanChanged();
    emit toolTipsChanged();
    return cancelled;
}

void AlarmEngine::turnEnded(const FiredAlarm& alarm, AlarmRinger::TurnEnd how) {
    if (how == AlarmRinger::TurnEnd::PutOff) {
        emit wakePlanChanged();
        emit toolTipsChanged();
        return;
    }
    // Dismissed: the user is done with this alarm for now, and a put-off ring still waiting of it would
    // only ring again what was answered.
    if (how == AlarmRinger::TurnEnd::Dismissed)
        cancelPutOff(alarm.alarm.key);
    // "闹钟事件过后自动删除": once its rings are over, not while a put-off ring of it still waits (the row
    // shows that ring and lets it be cancelled).
    if (parts_.settings.autoDelete() && !snoozes_.nextOf(alarm.alarm.key) && model_.find(alarm.alarm.key) &&
        !remove(alarm.alarm.key))
        tellFailure(QStringLiteral("闹钟没能自动删除，它仍在列表中：") + alarm.alarm.reminder);
    emit wakePlanChanged();
}

void AlarmEngine::tellFailure(const QString& text) {
    qCWarning(lcAlarm).noquote() << text;
    if (parts_.notifier != nullptr)
        parts_.notifier->notify(QStringLiteral("Orvane电脑闹钟"), text, {});
}

QString AlarmEngine::toolTip(const Alarm& alarm) const {
    // The minute now showing has had its scan (or is the start's, which is never scanned).
    const qint64 now = minuteKey(parts_.clock.now());
    const std::optional<qint64> next = alarm.time.nextAt(now + 1);
    const QString nextLine = next ? QStringLiteral("下次响铃：") + dueText(*next) : QString();
    if (const std::optional<qint64> putOff = snoozes_.nextOf(alarm.key)) {
        const QString line = QStringLiteral("稍后提醒：") + dateTimeOfMinute(*putOff).toString(u"HH:mm");
        return next ? line + u'\n' + nextLine : line;
    }
    return next ? nextLine : QStringLiteral("不会再响铃");
}

QString AlarmEngine::trayToolTip() const {
    const qint64 now = minuteKey(parts_.clock.now());
    QString tip = QStringLiteral("Orvane电脑闹钟");
    if (const std::optional<qint64> putOff = snoozes_.next())
        tip += QStringLiteral("\n稍后提醒：") + dateTimeOfMinute(std::max(*putOff, now)).toString(u"HH:mm");
    if (const std::optional<qint64> next = nextAlarmMinute(model_, now))
        tip += QStringLiteral("\n下一个闹钟：") + dueText(*next);
    return tip;
}

} // namespace orvane
