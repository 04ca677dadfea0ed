// The queue of ringing alarms: ring count, the ring and its fallback, and whose turn it is.
#include "alarm/AlarmRinger.h"

#include "common/FileWrite.h"
#include "platform/Clock.h"
#include "platform/IniProfile.h"
#include "platform/SoundPlayer.h"
#include "platform/SystemSettings.h"

#include <QLoggingCategory>

namespace orvane {

namespace {
Q_LOGGING_CATEGORY(lcAlarm, "orvane.alarm")
constexpr int kSoundingHoldSeconds = 60;
} // namespace

int ringCountFor(const QString& setting) {
    if (setting == u"无限重复")
        return -1;
    if (setting == u"播放一次" || setting.isEmpty())
        return 1;
    if (setting == u"播放二次")
        return 2;
    return 0;
}

AlarmRinger::AlarmRinger(SoundPlayer& sound, const Paths& paths, const Clock& clock,
                         std::function<void()> stopAnnouncement, QObject* parent)
    : QObject(parent), sound_(sound), paths_(paths), clock_(clock),
      stopAnnouncement_(std::move(stopAnnouncement)) {}

void AlarmRinger::enqueue(const FiredAlarm& alarm) {
    queue_.push_back(alarm);
    if (state_ == State::Idle)
        presentNext();
}

void AlarmRinger::StopRing() {
    sound_.stop();
    if (stopAnnouncement_)
        stopAnnouncement_();
}

void AlarmRinger::reminderClosed() {
    if (state_ != State::Reminding)
        return;
    StopRing();
    state_ = State::Idle;
    presentNext();
}

void AlarmRinger::tick() {
    if (state_ != State::Sounding)
        return;
    if (sound_.isPlaying() && clock_.now() < soundingUntil_)
        return;
    state_ = State::Idle;
    presentNext();
}

void AlarmRinger::presentNext() {
    while (state_ == State::Idle && !queue_.empty()) {
        const FiredAlarm alarm = queue_.front();
        queue_.pop_front();
        QString soundLine = alarm.alarm.sound;
        const bool ringing = alarm.alarm.rings();
        if (ringing && !ring(alarm.alarm))
            soundLine = noSoundText();
        if (alarm.alarm.popsUp()) {
            state_ = State::Reminding;
            emit reminderWanted(alarm, soundLine);
        } else if (ringing && sound_.isPlaying()) {
            state_ = State::Sounding;
            soundingUntil_ = clock_.now().addSecs(kSoundingHoldSeconds);
        }
    }
}

bool AlarmRinger::ring(const Alarm& alarm) {
    const int count = ringCountFor(
        IniProfile::read(settings::systemFile(paths_), settings::systemSection(), settings::ringCountKey()));
    // The carried ring is written out at each ring; when it cannot be written, whatever copy stands
    // there is played.
    const QString builtIn = paths_.windowsFile(QStringLiteral("1.mp3"));
    const auto playBuiltIn = [&] {
        dropCarriedFile(QStringLiteral(":/ring.mp3"), builtIn);
        return sound_.play(builtIn, count);
    };
    PlayOutcome outcome = alarm.sound == u"默认" ? playBuiltIn() : sound_.play(alarm.sound, count);
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

} // namespace orvane
