// A sound player that plays nothing and records each call as a readable line.
#pragma once

#include "platform/SoundPlayer.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace orvane::test {

class RecordingSoundPlayer final : public SoundPlayer {
public:
    // "play <file> <count>" (then " at 50%", " rising over 15s" when the level is not the default), "stop",
    // "playClip <bytes> bytes", in call order.
    QStringList calls() const { return calls_; }
    // The clips passed to playClip, in order, to compare their bytes.
    const QList<QByteArray>& clips() const { return clips_; }
    void clear() {
        calls_.clear();
        clips_.clear();
    }

    // What play() answers for `file` from now on; any other file answers Played.
    void setOutcome(const QString& file, PlayOutcome outcome) { outcomes_.insert(file, outcome); }
    // What isPlaying() answers, set by the test to stand for a ring still sounding or done.
    bool playing = false;

    using SoundPlayer::play;
    PlayOutcome play(const QString& file, int count, const RingLevel& level) override {
        QString call = QStringLiteral("play ") + file + u' ' + QString::number(count);
        if (level.percent != RingLevel::kMaxPercent)
            call += QStringLiteral(" at ") + QString::number(level.percent) + u'%';
        if (level.fadeInSeconds > 0)
            call += QStringLiteral(" rising over ") + QString::number(level.fadeInSeconds) + u's';
        calls_.append(call);
        return outcomes_.value(file, PlayOutcome::Played);
    }
    void stop() override { calls_.append(QStringLiteral("stop")); }
    void playClip(const QByteArray& wav) override {
        calls_.append(QStringLiteral("playClip ") + QString::number(wav.size()) + QStringLiteral(" bytes"));
        clips_.append(wav);
    }
    bool isPlaying() const override { return playing; }

private:
    QStringList calls_;
    QList<QByteArray> clips_;
    QHash<QString, PlayOutcome> outcomes_;
};

} // namespace orvane::test
