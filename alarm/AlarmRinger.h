// Rings fired alarms one after another: the first at once, each of the others when the one before it
// is done (its reminder closed, or, without a reminder, its ring over), so no ring is cut off unheard.
#pragma once

#include "alarm/FiredAlarm.h"
#include "platform/SoundServer.h"

#include <QDateTime>
#include <QObject>

#include <deque>
#include <functional>
#include <optional>

namespace orvane {

class Clock;
class SnoozeStore;
class SoundPlayer;
class SystemSettings;
struct Paths;

class AlarmRinger : public QObject {
    Q_OBJECT
public:
    // How an alarm's turn ended.
    enum class TurnEnd {
        Dismissed, // its reminder was closed
        PutOff,    // "稍后提醒": it rings again later
        Over,      // without a reminder: its ring is over, or neither ring nor reminder was asked for
    };

    // stopAnnouncement silences the spoken time too: stopping the ring stops everything the clock says.
    // Without a store of put-off rings, Snooze() does nothing.
    AlarmRinger(SoundPlayer& sound, const Paths& paths, const Clock& clock, const SystemSettings& settings,
                std::function<void()> stopAnnouncement, SnoozeStore* snoozes = nullptr,
                QObject* parent = nullptr);

    // Without one (the default) nothing is asked beyond the sound player's own answer.
    void setSoundServer(SoundServerFactory factory) { makeSoundServer_ = std::move(factory); }

    void enqueue(const FiredAlarm& alarm);
    // "停止播放": silence the ring and the announcement; the reminder stays.
    void StopRing();
    // "稍后提醒": silence, keep the ringing alarm to ring again in 稍后提醒分钟 minutes, end its turn.
    void Snooze();
    // The current alarm's reminder was closed: silence, then the next alarm's turn.
    void reminderClosed();
    // Once a second: an alarm without a reminder keeps its turn while its ring sounds, a minute at most
    // (a looping ring would otherwise hold every later alarm back).
    void tick();

    // The alarm whose turn it is.
    const std::optional<FiredAlarm>& current() const { return current_; }
    // True while a ring without a reminder holds its turn: only the second ticks end it.
    // Also while an output unmuted for the ring waits to be muted again once the ring is over.
    bool needsTicks() const { return state_ == State::Sounding || unmuted_; }
    int waiting() const { return int(queue_.size()); }

    static QString noSoundText() { return QStringLiteral("无法播放声音"); }
    static QString mutedText() { return QStringLiteral("系统已静音，闹钟听不到"); }
    static QString noOutputText() { return QStringLiteral("没有可用的声音输出"); }

signals:
    // An alarm's turn begins; soundLine is what its reminder's third line says.
    void started(const orvane::FiredAlarm& alarm, const QString& soundLine);
    // The reminder to show for it (only when its popup flag asks for one).
    void reminderWanted(const orvane::FiredAlarm& alarm, const QString& soundLine);
    // Its turn is over, however it ended: a reminder still open goes too.
    void ended(const orvane::FiredAlarm& alarm, orvane::AlarmRinger::TurnEnd how);

private:
    enum class State { Idle, Reminding, Sounding };
    void presentNext();
    void endCurrent(TurnEnd how);
    // Plays the alarm's ring, or the built-in ring when its own cannot be played; false when nothing
    // can be heard at all.
    bool ring(const Alarm& alarm);
    // What the reminder says instead of the ring's name when the output lets nothing be heard; empty
    // when it can be heard or nothing is known.
    QString outputWarning(const Alarm& alarm);
    // Mutes again the output unmuted for the ring.
    void restoreMute();

    SoundPlayer& sound_;
    const Paths& paths_;
    const Clock& clock_;
    const SystemSettings& settings_;
    std::function<void()> stopAnnouncement_;
    SnoozeStore* snoozes_;
    std::deque<FiredAlarm> queue_;
    std::optional<FiredAlarm> current_;
    State state_ = State::Idle;
    QDateTime soundingUntil_;
    SoundServerFactory makeSoundServer_;
    std::unique_ptr<SoundServer> soundServer_; // made at the first ring that asks
    bool unmuted_ = false;                     // unmuteForRing() was asked for the ring now sounding
};

} // namespace orvane
