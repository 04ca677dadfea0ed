// The spoken-chime clips carried as resources: which clips exist, their bytes, and each clip's play length
// read from its own RIFF header.
#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace orvane::chime {

// Phrase clips by their role in an announcement.
enum Phrase : int { Intro = 0, LeadIn = 1, Closing = 2, HourUnit = 3, MinuteUnit = 4, SecondUnit = 5 };
inline constexpr int kPhraseCount = 6;
// Digit clips: the words for zero to nine, then ten.
inline constexpr int kTen = 10;
inline constexpr int kDigitCount = 11;

struct Clip {
    enum class Kind { Phrase, Digit };
    Kind kind = Kind::Phrase;
    int index = 0;
    bool operator==(const Clip&) const = default;
};
constexpr Clip phrase(int index) {
    return {Clip::Kind::Phrase, index};
}
constexpr Clip digit(int index) {
    return {Clip::Kind::Digit, index};
}

// ":/voice/phrase-<n>.wav", ":/voice/digit-<n>.wav", ":/voice/ten.wav"; empty for an index out of range.
QString resourcePath(Clip clip);

// The play length of a PCM WAV in milliseconds: the "data" chunk's bytes divided by the "fmt " chunk's
// byte rate, to the nearest millisecond. 0 for anything malformed: not RIFF/WAVE, a chunk running past the
// end, no "fmt " or "data" chunk, not PCM, or a byte rate of 0.
int wavPlayMs(const QByteArray& wav);

// The seventeen clips, read from the resources once (the resources must be registered first). The bytes
// point into the program's own constant data unless the resource compiler compressed them.
class Clips {
public:
    Clips();
    // Empty, and wait 0, for a clip out of range or missing from the resources.
    const QByteArray& bytes(Clip clip) const;
    int waitMs(Clip clip) const;

private:
    struct Entry {
        QByteArray bytes;
        int waitMs = 0;
    };
    const Entry* find(Clip clip) const;
    std::array<Entry, kPhraseCount> phrases_;
    std::array<Entry, kDigitCount> digits_;
};

} // namespace orvane::chime
