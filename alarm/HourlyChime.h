// The hourly chime: at each full and half hour, when the setting is on, plays the announcement's clips one
// after another, chained by timers so the GUI thread never waits.
#pragma once

#include "alarm/ChimeClips.h"

#include <QDateTime>
#include <QList>
#include <QObject>

#include <functional>
#include <memory>

namespace orvane {

class SoundPlayer;
class SystemSettings;

class HourlyChime : public QObject {
    Q_OBJECT
public:
    // Runs `then` once, `ms` milliseconds from now, on this thread. Tests pass a fake that records the
    // delays and runs the callbacks when told.
    using Schedule = std::function<void(int ms, std::function<void()> then)>;
    // The gap between the end of one clip and the start of the next.
    static constexpr int kGapMs = 50;

    // Chains with precise single-shot timers owned by this object (dropped with it).
    HourlyChime(SoundPlayer& sound, const SystemSettings& settings, QObject* parent = nullptr);
    HourlyChime(SoundPlayer& sound, const SystemSettings& settings, Schedule schedule,
                QObject* parent = nullptr);
    ~HourlyChime() override;

    // The once-a-second tick: announces in the first tick of each hh:00 and hh:30 minute, whatever its
    // second (a late tick must not lose it), when the setting "整点报时" is on; the other ticks cost one
    // comparison. The first tick after the start announces only when it falls on second 0.
    void HourlyChimeTick(const QDateTime& now);
    // Drops every clip still to come; the clip sounding ends with the player's stop().
    void stop();
    // Starts the announcement for the time and returns at once, having played its first clip. False, and
    // nothing played, while an announcement is still running or when the time has nothing to say.
    bool AnnounceTime(const QTime& time);
    bool announcing() const { return announcing_; }

private:
    // Each plays one clip without waiting and returns when the next clip may start: its wait plus the gap.
    int PlayChimePhrase(int index);
    int PlayDigit(int index);
    int play(chime::Clip clip);
    void playNext();

    SoundPlayer& sound_;
    const SystemSettings& settings_;
    Schedule schedule_;
    std::unique_ptr<chime::Clips> clips_; // loaded at the first announcement
    QList<chime::Clip> pending_;
    bool announcing_ = false;
    quint64 chain_ = 0;      // counts announcements, so a stopped chain's timer finds itself outdated
    qint64 lastMinute_ = -1; // the minute of the last tick
};

} // namespace orvane
