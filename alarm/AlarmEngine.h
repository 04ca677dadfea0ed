// The alarm engine: the alarms, the once-a-minute scan, put-off rings, the ringer, the desktop
// notifications and the spoken time, driven by ticks. Windows and any other way to the alarms (a command
// line, D-Bus) are its clients: they call its commands and follow its signals.
#pragma once

#include "alarm/AlarmModel.h"
#include "alarm/AlarmRinger.h"
#include "alarm/SkipStore.h"
#include "alarm/SnoozeStore.h"
#include "common/PageFetch.h"

#include <QDate>
#include <QHash>
#include <QSet>

#include <QObject>

#include <memory>
#include <optional>

namespace orvane {

class AlarmNotifications;
class Clock;
class HolidayUpdate;
class Database;
class HourlyChime;
class Notifier;
class Scheduler;
class SoundPlayer;
class SystemSettings;
struct Paths;

class AlarmEngine : public QObject {
    Q_OBJECT
public:
    struct Parts {
        const Clock& clock;
        SoundPlayer& sound;
        const Paths& paths;
        SystemSettings& settings;
        Notifier* notifier = nullptr;        // desktop notifications: optional
        PageFetch fetch = {};                // the holiday file's download: optional
        SoundServerFactory soundServer = {}; // asked whether a ring can be heard: optional
    };
    // Made at the program's start, whose minute is never scanned; it works on the database once start()
    // has found it open.
    AlarmEngine(Database& db, const Parts& parts, QObject* parent = nullptr);
    ~AlarmEngine() override;

    // Loads the alarms and their put-off rings and begins scanning; the first scan covers every minute
    // since the program started (a database that was busy at the start costs no alarm).
    void start();
    bool started() const { return scheduler_ != nullptr; }

    // Once a second (hidden: in the minutes the wake plan names), and when the clock was set or the
    // machine woke up: ends a ring's turn, rings what is due, announces the time.
    void tick();
    // True while a ring without a reminder holds its turn: it needs every second's tick.
    bool needsEveryTick() const { return ringer_->needsTicks(); }
    // The wall-clock minute after `nowMinute` with work (an alarm, a put-off ring, the announcement),
    // never later than a quarter of an hour ahead.
    qint64 wakeMinute(qint64 nowMinute) const;
    // The next minute after `nowMinute` an alarm or a put-off ring rings, however far ahead.
    std::optional<qint64> nextRingMinute(qint64 nowMinute) const;

    // The machine is about to suspend and waits for this: what is due before it could be back (within
    // the next minute) rings now, rather than when someone opens the lid.
    void prepareForSleep();

    const AlarmModel& model() const { return model_; }
    // Reads the whole table again (it was changed by another program).
    bool reload() { return model_.LoadAlarmList(); }

    // The commands on alarms, by key. A change to an alarm cancels its put-off ring.
    std::optional<qint64> add(const AlarmTexts& texts);
    bool update(qint64 key, const AlarmTexts& texts);
    bool remove(qint64 key);
    // The minute of the alarm's put-off ring, if one is waiting; and cancelling it.
    std::optional<qint64> putOffMinute(qint64 key) const { return snoozes_.nextOf(key); }
    bool cancelPutOff(qint64 key);
    // "跳过下次": the alarm's next ring rings not (the minute skipped, none when it never rings again or
    // the skip could not be stored); "恢复" brings it back.
    std::optional<qint64> skipNext(qint64 key);
    bool restoreSkipped(qint64 key);
    std::optional<qint64> skippedMinute(qint64 key) const { return skips_.skipped(key); }
    // The alarm's next ring at or after `from`, a skipped one passed over.
    std::optional<qint64> nextRingOf(const Alarm& alarm, qint64 from) const;

    // The ringing alarm's turn: "停止播放", "稍后提醒", its reminder closed.
    AlarmRinger& ringer() { return *ringer_; }
    HourlyChime& chime() { return *chime_; }

    // A row's tooltip: "稍后提醒：08:35" when one waits, and "下次响铃：2026年12月8日08时30分" or
    // "不会再响铃".
    QString toolTip(const Alarm& alarm) const;
    // The tray's: "Orvane电脑闹钟", then the put-off ring and the next alarm that wait, and the holiday
    // year still missing.
    QString trayToolTip() const;

    static QString headsUpSummary(qint64 minute, const QString& reminder);

signals:
    // The plan of wake-ups changed (an alarm, a put-off ring or the announcement came or went).
    void wakePlanChanged();
    // Alarms later than "迟到多久仍响铃" allows: not rung, listed for the user.
    void missed(const QList<orvane::FiredAlarm>& alarms);
    // What a tooltip says may have changed.
    void toolTipsChanged();

private:
    // The next alarm's minute after `nowMinute`, put-off rings aside.
    std::optional<qint64> nextAlarmMinute(qint64 nowMinute) const;
    void turnEnded(const FiredAlarm& alarm, AlarmRinger::TurnEnd how);
    // A scan's alarm: rung, or missed when later than the limit allows.
    void fired(const FiredAlarm& alarm);
    void reportMissed();
    // The notices "即将响铃" of the rings within "提前提醒" minutes of `minute`.
    void sendHeadsUps(qint64 minute);
    void headsUpAction(quint64 handle, const QString& key);
    // Once a day: the holiday table's years against the date, and a download of the missing one.
    void checkHolidayYears(QDate today);
    QString missingHolidayYearText() const;
    // Tells the user of a write that failed while nobody was at a window.
    void tellFailure(const QString& text);

    Database& db_;
    Parts parts_;
    qint64 startMinute_;
    AlarmModel model_;
    SnoozeStore snoozes_;
    SkipStore skips_;
    QList<FiredAlarm> missed_;                       // of the scan running
    QSet<QPair<qint64, qint64>> headsUpSent_;        // (alarm, ring minute) told of
    QHash<quint64, QPair<qint64, qint64>> headsUps_; // a notice still on screen → its (alarm, minute)
    HolidayUpdate* holidays_;
    QDate holidaysCheckedOn_;
    int missingHolidayYear_ = 0; // a year the rules of China's calendar need and the table lacks
    HourlyChime* chime_;
    AlarmRinger* ringer_;
    AlarmNotifications* notifications_ = nullptr;
    Scheduler* scheduler_ = nullptr;
    qint64 lastMinute_ = -1;   // the minute of the last tick: a failed load is retried once a minute
    qint64 scannedAhead_ = -1; // the minute rung before a suspend, ahead of its time
};

} // namespace orvane
