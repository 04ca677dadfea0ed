// The engine's parts wired together, its commands and its wake plan.
#include "alarm/AlarmEngine.h"

#include "alarm/AlarmNotifications.h"
#include "alarm/HourlyChime.h"
#include "alarm/Scheduler.h"
#include "alarm/WakePlan.h"
#include "calendar/HolidayUpdate.h"
#include "calendar/Holidays.h"
#include "common/Log.h"
#include "platform/Clock.h"
#include "platform/Notifier.h"
#include "platform/SystemSettings.h"

namespace orvane {

AlarmEngine::AlarmEngine(Database& db, const Parts& parts, QObject* parent)
    : QObject(parent), db_(db), parts_(parts), startMinute_(minuteKey(parts.clock.now())), model_(db),
      snoozes_(db), skips_(db), holidays_(new HolidayUpdate(parts.paths.holidaysFile(), parts.fetch, this)),
      chime_(new HourlyChime(parts.sound, parts.settings, this)),
      ringer_(new AlarmRinger(
          parts.sound, parts.paths, parts.clock, parts.settings, [this] { chime_->stop(); }, &snoozes_,
          this)) {
    if (parts.notifier != nullptr) {
        notifications_ = new AlarmNotifications(*ringer_, *parts.notifier, this);
        connect(parts.notifier, &Notifier::actionInvoked, this, &AlarmEngine::headsUpAction);
    }
    connect(holidays_, &HolidayUpdate::finished, this, [this] {
        holidaysCheckedOn_ = {};
        checkHolidayYears(parts_.clock.now().date());
    });
    ringer_->setSoundServer(parts.soundServer);
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
    skips_.load(minuteKey(parts_.clock.now()));
    scheduler_ = new Scheduler(startMinute_, model_, &snoozes_, &skips_, this);
    connect(scheduler_, &Scheduler::fired, this, &AlarmEngine::fired);
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
        const bool newMinute = minute != lastMinute_;
        if (newMinute && model_.stale())
            model_.LoadAlarmList();
        lastMinute_ = minute;
        const bool putOff = snoozes_.next().has_value();
        scheduler_->AlarmScheduler(now);
        reportMissed();
        if (putOff != snoozes_.next().has_value())
            emit toolTipsChanged();
        if (newMinute) {
            skips_.dropBefore(minute);
            sendHeadsUps(minute);
            checkHolidayYears(now.date());
        }
    }
    // After the scheduler: an alarm due at the same second fires on time; the chime never blocks.
    chime_->HourlyChimeTick(now);
}

qint64 AlarmEngine::wakeMinute(qint64 now) const {
    const std::optional<qint64> next = nextAlarmMinute(now);
    qint64 wake = nextWakeMinute(now, next, snoozes_.next(), parts_.settings.hourlyChime());
    // The notice before the next ring, when it is still to come.
    if (const int ahead = parts_.settings.headsUpMinutes(); next && ahead > 0 && *next - ahead > now)
        wake = std::min(wake, *next - ahead);
    return wake;
}

std::optional<qint64> AlarmEngine::nextAlarmMinute(qint64 now) const {
    std::optional<qint64> next;
    for (int r = 0; r < model_.size(); ++r) {
        const std::optional<qint64> at = nextRingOf(model_.at(r), now + 1);
        if (at && (!next || *at < *next))
            next = at;
    }
    return next;
}

std::optional<qint64> AlarmEngine::nextRingMinute(qint64 now) const {
    // Past the minute rung ahead of a suspend.
    std::optional<qint64> next = nextAlarmMinute(std::max(now, scannedAhead_));
    if (const std::optional<qint64> putOff = snoozes_.next(); putOff && (!next || *putOff < *next))
        next = std::max(*putOff, now + 1);
    return next;
}

void AlarmEngine::prepareForSleep() {
    if (scheduler_ == nullptr)
        return;
    // Put-off rings are in their table already and the scan's place lives on in memory; what remains is
    // to ring, now, the alarms of the next minute. Their minute counts as scanned: they do not ring
    // again after the resume.
    const QDateTime ahead = parts_.clock.now().addSecs(60);
    scheduler_->AlarmScheduler(ahead);
    scannedAhead_ = minuteKey(ahead);
    reportMissed();
    emit wakePlanChanged();
    emit toolTipsChanged();
}

std::optional<qint64> AlarmEngine::nextRingOf(const Alarm& alarm, qint64 from) const {
    std::optional<qint64> next = alarm.time.nextAt(from);
    if (next && skips_.skipped(alarm.key) == next)
        next = alarm.time.nextAt(*next + 1);
    return next;
}

std::optional<qint64> AlarmEngine::skipNext(qint64 key) {
    const Alarm* alarm = model_.find(key);
    if (alarm == nullptr)
        return std::nullopt;
    const std::optional<qint64> next = nextRingOf(*alarm, minuteKey(parts_.clock.now()) + 1);
    if (!next || !skips_.skip(key, *next))
        return std::nullopt;
    emit wakePlanChanged();
    emit toolTipsChanged();
    return next;
}

bool AlarmEngine::restoreSkipped(qint64 key) {
    if (!skips_.skipped(key))
        return true;
    const bool restored = skips_.restore(key);
    emit wakePlanChanged();
    emit toolTipsChanged();
    return restored;
}

void AlarmEngine::fired(const FiredAlarm& alarm) {
    const int limit = parts_.settings.lateLimitMinutes();
    if (limit > 0 && alarm.lateMinutes > limit) {
        qCWarning(lcAlarm) << "alarm" << alarm.alarm.key << "is" << alarm.lateMinutes
                           << "minutes late, more than the limit: listed as missed";
        missed_ << alarm;
        return;
    }
    ringer_->enqueue(alarm);
}

void AlarmEngine::reportMissed() {
    if (missed_.isEmpty())
        return;
    const QList<FiredAlarm> late = std::exchange(missed_, {});
    emit wakePlanChanged();
    if (parts_.notifier != nullptr) {
        QStringList lines;
        for (const FiredAlarm& alarm : late)
            lines << dueText(alarm.minute) + u' ' + alarm.alarm.reminder;
        parts_.notifier->notify(QStringLiteral("错过的闹钟"), lines.join(u'\n'), {});
    }
    emit missed(late);
}

QString AlarmEngine::headsUpSummary(qint64 minute, const QString& reminder) {
    return QStringLiteral("即将响铃：") + dateTimeOfMinute(minute).toString(u"HH:mm") + u' ' + reminder;
}

void AlarmEngine::sendHeadsUps(qint64 minute) {
    if (parts_.notifier == nullptr)
        return;
    // A notice whose ring has come is stale: the ring brings its own.
    for (auto it = headsUps_.begin(); it != headsUps_.end();) {
        if (it->second <= minute) {
            parts_.notifier->close(it.key());
            it = headsUps_.erase(it);
        } else {
            ++it;
        }
    }
    const int ahead = parts_.settings.headsUpMinutes();
    if (ahead <= 0)
        return;
    headsUpSent_.removeIf([minute](const QPair<qint64, qint64>& sent) { return sent.second <= minute; });
    for (int r = 0; r < model_.size(); ++r) {
        const Alarm& alarm = model_.at(r);
        // Only as far as the notice reaches: a calendar rule then walks a few days, not a year.
        std::optional<qint64> next = alarm.time.nextAt(minute + 1, minute + ahead);
        if (next && skips_.skipped(alarm.key) == next)
            continue;
        if (!next || *next > minute + ahead || headsUpSent_.contains({alarm.key, *next}))
            continue;
        headsUpSent_.insert({alarm.key, *next});
        const quint64 handle = parts_.notifier->notify(headsUpSummary(*next, alarm.reminder), dueText(*next),
                                                       {{QStringLiteral("skip"), QStringLiteral("跳过此次")},
                                                        {QStringLiteral("ok"), QStringLiteral("知道了")}});
        if (handle != 0)
            headsUps_.insert(handle, {alarm.key, *next});
    }
}

void AlarmEngine::headsUpAction(quint64 handle, const QString& key) {
    const auto it = headsUps_.constFind(handle);
    if (it == headsUps_.constEnd())
        return;
    const auto [alarm, minute] = *it;
    headsUps_.erase(it);
    parts_.notifier->close(handle);
    // Only the ring the notice named: a later ring of the alarm is not skipped by an old notice.
    if (key == u"skip" && minute > minuteKey(parts_.clock.now()) && skips_.skip(alarm, minute)) {
        emit wakePlanChanged();
        emit toolTipsChanged();
    }
}

void AlarmEngine::checkHolidayYears(QDate today) {
    if (holidaysCheckedOn_ == today)
        return;
    holidaysCheckedOn_ = today;
    // This year, and from 1 November the next: the rules of China's calendar need both.
    int missing = 0;
    for (int year : {today.year(), today.month() >= 11 ? today.year() + 1 : 0})
        if (year > 0 && missing == 0 && !holidayTable().covers(year))
            missing = year;
    const QString said = parts_.settings.holidayNotice();
    if (missing == 0) {
        missingHolidayYear_ = 0;
        // Once: the year that was missing has arrived.
        const int was = said.startsWith(u'缺') ? said.mid(1).toInt() : 0;
        if (was > 0 && holidayTable().covers(was)) {
            parts_.settings.setHolidayNotice(QStringLiteral("有") + QString::number(was));
            if (parts_.notifier != nullptr)
                parts_.notifier->notify(QStringLiteral("Orvane电脑闹钟"),
                                        QStringLiteral("已收录 %1 年安排").arg(was), {});
            emit toolTipsChanged();
        }
        return;
    }
    // The address the user set is asked first, once a day; the answer comes back here.
    const QString address = parts_.settings.holidayAddress();
    if (!address.isEmpty() && parts_.fetch && missingHolidayYear_ != -missing) {
        missingHolidayYear_ = -missing; // asking
        holidays_->fetchFrom(address);
        return;
    }
    missingHolidayYear_ = missing;
    emit toolTipsChanged();
    if (said == QStringLiteral("缺") + QString::number(missing))
        return;
    parts_.settings.setHolidayNotice(QStringLiteral("缺") + QString::number(missing));
    QStringList affected;
    for (int r = 0; r < model_.size(); ++r)
        if (model_.at(r).time.rule.followsHolidayTable())
            affected << model_.at(r).reminder + u'（' + model_.at(r).rule + u'）';
    qCWarning(lcAlarm).noquote() << missingHolidayYearText();
    if (parts_.notifier != nullptr)
        parts_.notifier->notify(missingHolidayYearText(), affected.join(u'\n'), {});
}

QString AlarmEngine::missingHolidayYearText() const {
    int affected = 0;
    for (int r = 0; r < model_.size(); ++r)
        affected += model_.at(r).time.rule.followsHolidayTable() ? 1 : 0;
    return QStringLiteral("%1年法定节假日尚未收录：%2 个闹钟暂按周一至周五")
        .arg(missingHolidayYear_)
        .arg(affected);
}

std::optional<qint64> AlarmEngine::add(const AlarmTexts& texts) {
    return model_.add(texts);
}

bool AlarmEngine::update(qint64 key, const AlarmTexts& texts) {
    if (!model_.update(key, texts))
        return false;
    // The put-off ring and the skip were of the alarm as it was.
    cancelPutOff(key);
    restoreSkipped(key);
    return true;
}

bool AlarmEngine::remove(qint64 key) {
    if (!model_.remove(key))
        return false;
    cancelPutOff(key);
    restoreSkipped(key);
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
    const std::optional<qint64> next = nextRingOf(alarm, now + 1);
    QString nextLine = next ? QStringLiteral("下次响铃：") + dueText(*next) : QStringLiteral("不会再响铃");
    // A skip of the minute now showing is used up (or of the start's minute, which is never scanned).
    if (const std::optional<qint64> skipped = skips_.skipped(alarm.key); skipped && *skipped > now)
        nextLine += QStringLiteral("（已跳过 ") + dueText(*skipped) + u'）';
    if (const std::optional<qint64> putOff = snoozes_.nextOf(alarm.key)) {
        const QString line = QStringLiteral("稍后提醒：") + dateTimeOfMinute(*putOff).toString(u"HH:mm");
        return next || skips_.skipped(alarm.key) ? line + u'\n' + nextLine : line;
    }
    return nextLine;
}

QString AlarmEngine::trayToolTip() const {
    const qint64 now = minuteKey(parts_.clock.now());
    QString tip = QStringLiteral("Orvane电脑闹钟");
    if (const std::optional<qint64> putOff = snoozes_.next())
        tip += QStringLiteral("\n稍后提醒：") + dateTimeOfMinute(std::max(*putOff, now)).toString(u"HH:mm");
    if (const std::optional<qint64> next = nextAlarmMinute(now))
        tip += QStringLiteral("\n下一个闹钟：") + dueText(*next);
    if (missingHolidayYear_ > 0)
        tip += u'\n' + missingHolidayYearText();
    return tip;
}

} // namespace orvane
