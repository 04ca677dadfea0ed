// The hourly chime's tick and its timer-chained playback.
#include "alarm/HourlyChime.h"

#include "alarm/AlarmTime.h"
#include "alarm/ChimeSpeech.h"
#include "platform/SoundPlayer.h"
#include "platform/SystemSettings.h"

#include <QTimer>

namespace orvane {

HourlyChime::HourlyChime(SoundPlayer& sound, const SystemSettings& settings, QObject* parent)
    : HourlyChime(sound, settings, Schedule(), parent) {
    // A coarse timer may fire up to 5 % early, which would cut into the clip still playing.
    schedule_ = [this](int ms, std::function<void()> then) {
        QTimer::singleShot(ms, Qt::PreciseTimer, this, std::move(then));
    };
}

HourlyChime::HourlyChime(SoundPlayer& sound, const SystemSettings& settings, Schedule schedule,
                         QObject* parent)
    : QObject(parent), sound_(sound), settings_(settings), schedule_(std::move(schedule)) {}

HourlyChime::~HourlyChime() = default;

void HourlyChime::HourlyChimeTick(const QDateTime& now) {
    const QTime time = now.time();
    const qint64 minute = minuteKey(now);
    const bool first = lastMinute_ < 0;
    if (minute == lastMinute_ || (first && time.second() != 0)) {
        lastMinute_ = minute;
        return;
    }
    lastMinute_ = minute;
    if ((time.minute() != 0 && time.minute() != 30) || announcing_)
        return;
    // Announced as at second 0 of the minute, the full- or half-hour form.
    if (settings_.hourlyChime())
        AnnounceTime(QTime(time.hour(), time.minute()));
}

void HourlyChime::stop() {
    if (!announcing_)
        return;
    pending_.clear();
    announcing_ = false;
    ++chain_;
}

bool HourlyChime::AnnounceTime(const QTime& time) {
    if (announcing_)
        return false; // two announcements would talk over each other
    QList<chime::Clip> clips = chime::AnnounceTime(time);
    if (clips.isEmpty())
        return false;
    if (!clips_)
        clips_ = std::make_unique<chime::Clips>();
    pending_ = std::move(clips);
    announcing_ = true;
    playNext();
    return true;
}

void HourlyChime::playNext() {
    if (pending_.isEmpty()) {
        announcing_ = false; // the last clip's wait has passed
        return;
    }
    const chime::Clip clip = pending_.takeFirst();
    const int delay =
        clip.kind == chime::Clip::Kind::Phrase ? PlayChimePhrase(clip.index) : PlayDigit(clip.index);
    schedule_(delay, [this, chain = chain_] {
        if (chain == chain_)
            playNext();
    });
}

int HourlyChime::PlayChimePhrase(int index) {
    return play(chime::phrase(index));
}

int HourlyChime::PlayDigit(int index) {
    return play(chime::digit(index));
}

int HourlyChime::play(chime::Clip clip) {
    const QByteArray& wav = clips_->bytes(clip);
    if (!wav.isEmpty())
        sound_.playClip(wav);
    // Without a sound device the clip is not heard, but the wait still runs, as if it were.
    return clips_->waitMs(clip) + kGapMs;
}

} // namespace orvane
