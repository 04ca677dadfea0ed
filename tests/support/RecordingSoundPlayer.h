// A sound player that plays nothing and records each call as a readable line.
#pragma once

#include "platform/SoundPlayer.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace orvane::test {

class RecordingSoundPlayer final : public SoundPlayer {
public:
    // "play <file> <count>", "stop", "playClip <bytes> bytes", in call order.
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

    PlayOutcome play(const QString& file, int count) override {
        calls_.append(QStringLiteral("play ") + file + u' ' + QString::number(count));
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
