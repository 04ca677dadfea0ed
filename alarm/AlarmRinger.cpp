// The queue of ringing alarms: ring count, the ring and its fallback, whose turn it is, and putting off.
#include "alarm/AlarmRinger.h"

#include "alarm/SnoozeStore.h"
#include "common/FileWrite.h"
#include "common/Log.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/SoundPlayer.h"
#include "platform/SystemSettings.h"

#include <utility>

namespace orvane {

namespace {
constexpr int kSoundingHoldSeconds = 60;
} // namespace

AlarmRinger::AlarmRinger(SoundPlayer& sound, const Paths& paths, const Clock& clock,
                         const SystemSettings& settings, std::function<void()> stopAnnouncement,
                         SnoozeStore* snoozes, QObject* parent)
    : QObject(parent), sound_(sound), paths_(paths), clock_(clock), settings_(settings),
      stopAnnouncement_(std::move(stopAnnouncement)), snoozes_(snoozes) {}

void AlarmRinger::enqueue(const FiredAlarm& alarm) {
    queue_.push_back(alarm);
    if (state_ == State::Idle)
        presentNext();
}

void AlarmRinger::StopRing() {
    sound_.stop();
    restoreMute();
    if (stopAnnouncement_)
        stopAnnouncement_();
}

void AlarmRinger::Snooze() {
    if (!current_ || snoozes_ == nullptr)
        return;
    snoozes_->add(current_->alarm, minuteKey(clock_.now()) + settings_.snoozeMinutes());
    StopRing();
    endCurrent(TurnEnd::PutOff);
    presentNext();
}

void AlarmRinger::reminderClosed() {
    if (state_ != State::Reminding)
        return;
    StopRing();
    endCurrent(TurnEnd::Dismissed);
    presentNext();
}

void AlarmRinger::tick() {
    // A ring played to its end leaves the reminder open: the output goes back to how the user left it.
    if (unmuted_ && !sound_.isPlaying())
        restoreMute();
    if (state_ != State::Sounding)
        return;
    if (sound_.isPlaying() && clock_.now() < soundingUntil_)
        return;
    endCurrent(TurnEnd::Over);
    presentNext();
}

void AlarmRinger::endCurrent(TurnEnd how) {
    state_ = State::Idle;
    if (std::optional<FiredAlarm> alarm = std::exchange(current_, std::nullopt))
        emit ended(*alarm, how);
}

void AlarmRinger::presentNext() {
    while (state_ == State::Idle && !queue_.empty()) {
        current_ = queue_.front();
        queue_.pop_front();
        const FiredAlarm alarm = *current_;
        QString soundLine = alarm.alarm.sound;
        const bool ringing = alarm.alarm.rings();
        if (ringing) {
            if (!ring(alarm.alarm))
                soundLine = noSoundText();
            else if (const QString warning = outputWarning(alarm.alarm); !warning.isEmpty())
                soundLine = warning;
        }
        emit started(alarm, soundLine);
        if (alarm.alarm.popsUp()) {
            state_ = State::Reminding;
            emit reminderWanted(alarm, soundLine);
        } else if (ringing && sound_.isPlaying()) {
            state_ = State::Sounding;
            soundingUntil_ = clock_.now().addSecs(kSoundingHoldSeconds);
        } else {
            endCurrent(TurnEnd::Over);
        }
    }
}

bool AlarmRinger::ring(const Alarm& alarm) {
    const int count = int(settings_.ringCount());
    const RingLevel level = settings_.ringLevel();
    // The carried ring is written out at each ring; when it cannot be written, whatever copy stands
    // there is played.
    const QString builtIn = paths_.windowsFile(QStringLiteral("1.mp3"));
    const auto playBuiltIn = [&] {
        dropCarriedFile(QStringLiteral(":/ring.mp3"), builtIn);
        return sound_.play(builtIn, count, level);
    };
    PlayOutcome outcome = alarm.sound == u"默认" ? playBuiltIn() : sound_.play(alarm.sound, count, level);
    if (outcome == PlayOutcome::Unplayable && alarm.sound != u"默认") {
        qCWarning(lcAlarm) << "cannot play" << alarm.sound << "for alarm" << alarm.key
                           << "- the built-in ring instead";
        outcome = playBuiltIn();
    }
    if (outcome != PlayOutcome::Played) {
        qCWarning(lcAlarm) << "no sound can be played for alarm" << alarm.key;
        return false;
    }
    return true;
}

QString AlarmRinger::outputWarning(const Alarm& alarm) {
    if (!makeSoundServer_)
        return {};
    // Asked after play(): the round trip to the server must not delay the ring's start.
    if (!soundServer_)
        soundServer_ = makeSoundServer_();
    if (!soundServer_)
        return {};
    OutputState state;
    if (settings_.unmuteForRing()) {
        state = soundServer_->unmuteForRing();
        unmuted_ = true;
    } else {
        state = soundServer_->defaultOutput();
    }
    switch (state) {
    case OutputState::Audible:
    case OutputState::NoServer:
        return {};
    case OutputState::Muted:
    case OutputState::VolumeZero:
        qCWarning(lcAlarm) << "alarm" << alarm.key << "rings into a muted output: nobody hears it";
        return mutedText();
    case OutputState::NoOutput:
        qCWarning(lcAlarm) << "alarm" << alarm.key << "rings with no sound output: nobody hears it";
        return noOutputText();
    }
    return {};
}

void AlarmRinger::restoreMute() {
    if (std::exchange(unmuted_, false) && soundServer_)
        soundServer_->restoreMute();
}

} // namespace orvane
