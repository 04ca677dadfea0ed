// The hourly chime's number reading and announcement forms.
#include "alarm/ChimeSpeech.h"

namespace orvane::chime {

QList<Clip> SpeakNumber(int n) {
    if (n < 0)
        return {};
    const int tens = n / 10 % 10;
    const int ones = n % 10;
    if (tens == 0)
        return ones == 0 ? QList<Clip>{} : QList<Clip>{digit(0), digit(ones)};
    QList<Clip> words;
    if (tens > 1) // "ten", not "one ten", for 10 to 19
        words.append(digit(tens));
    words.append(digit(kTen));
    if (ones != 0)
        words.append(digit(ones));
    return words;
}

QList<Clip> AnnounceTime(const QTime& time) {
    const int m = time.minute(), s = time.second();
    if ((m == 0 || m == 30) && s != 0)
        return {};
    QList<Clip> clips{phrase(Intro), phrase(LeadIn)};
    clips.append(SpeakNumber(time.hour()));
    clips.append(phrase(HourUnit));
    if (m != 0) {
        clips.append(SpeakNumber(m));
        clips.append(phrase(MinuteUnit));
    }
    if (m != 0 && m != 30) {
        clips.append(SpeakNumber(s));
        clips.append(phrase(SecondUnit));
    }
    clips.append(phrase(Closing));
    return clips;
}

} // namespace orvane::chime
