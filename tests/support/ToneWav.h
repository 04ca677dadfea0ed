// A test tone as an in-memory WAV: 16-bit stereo at 44.1 kHz, a 441 Hz square wave at a quarter of full
// scale.
#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstring>

namespace orvane::test {

constexpr int kToneRate = 44100;
constexpr int kToneFrameBytes = 4;

inline QByteArray toneWav(int frames) {
    QByteArray wav(44 + frames * kToneFrameBytes, '\0');
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, wav.data() + at); };
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, wav.data() + at); };
    memcpy(wav.data(), "RIFF\0\0\0\0WAVEfmt ", 16);
    put32(4, quint32(wav.size() - 8));
    put32(16, 16);
    put16(20, 1); // PCM
    put16(22, 2);
    put32(24, kToneRate);
    put32(28, kToneRate * kToneFrameBytes);
    put16(32, kToneFrameBytes);
    put16(34, 16);
    memcpy(wav.data() + 36, "data", 4);
    put32(40, quint32(frames * kToneFrameBytes));
    for (int i = 0; i < frames; ++i) {
        const qint16 v = (i / 50) % 2 ? -8192 : 8192;
        put16(44 + i * 4, quint16(v));
        put16(46 + i * 4, quint16(v));
    }
    return wav;
}

} // namespace orvane::test
