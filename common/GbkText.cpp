// GBK byte texts: conversion through Qt's converters, 1-based byte windows, character-aware searches.
#include "GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace orvane::gbk {

namespace {

// A byte that opens a double-byte character; the byte after it belongs to the same character.
bool isLeadByte(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    return b >= 0x81 && b <= 0xFE;
}

// The 0-based index of the first character start at or after index, walking from the character
// start `from` (a double-byte character is only recognisable from the start of the text).
qsizetype nextCharStart(const QByteArray& bytes, qsizetype from, qsizetype index) {
    while (from < index)
        from += isLeadByte(bytes.at(from)) && from + 1 < bytes.size() ? 2 : 1;
    return from;
}

} // namespace

QByteArray encode(const QString& text) {
    // Converters keep state between calls, so each call takes a fresh one.
    QStringEncoder encoder("GBK");
    if (!encoder.isValid()) { // Qt built without ICU: keep ASCII, mark everything else as unknown
        QByteArray bytes = text.toLatin1();
        for (qsizetype i = 0; i < text.size(); ++i)
            if (text.at(i).unicode() > 0x7F)
                bytes[i] = '?';
        return bytes;
    }
    return encoder.encode(text);
}

QString decode(const QByteArray& bytes) {
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray cutAtZero(const QByteArray& bytes) {
    const qsizetype zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.left(zero);
}

qsizetype find(const QByteArray& haystack, const QByteArray& needle, qsizetype start) {
    if (start < 1 || needle.isEmpty() || start > haystack.size())
        return -1;
    qsizetype charStart = 0; // the walk only moves forwards, so the search stays linear
    for (qsizetype from = start - 1;;) {
        const qsizetype hit = haystack.indexOf(needle, from);
        if (hit < 0)
            return -1;
        charStart = nextCharStart(haystack, charStart, hit);
        if (charStart == hit)
            return hit + 1;
        from = hit + 1; // the hit began on a trail byte
    }
}

QByteArray mid(const QByteArray& bytes, qsizetype start, qsizetype length) {
    if (start < 1 || start > bytes.size() || length <= 0)
        return {};
    return bytes.mid(start - 1, length);
}

QByteArray left(const QByteArray& bytes, qsizetype length) {
    return length <= 0 ? QByteArray() : bytes.left(length);
}

namespace {
QByteArray mapAscii(const QByteArray& bytes, char from, char to) {
    QByteArray out = bytes;
    for (qsizetype i = 0; i < out.size(); i = nextCharStart(out, i, i + 1)) {
        if (out[i] >= from && out[i] <= char(from + 25))
            out[i] = char(out[i] - from + to);
    }
    return out;
}
} // namespace

QByteArray asciiLower(const QByteArray& bytes) {
    return mapAscii(bytes, 'A', 'a');
}

QByteArray asciiUpper(const QByteArray& bytes) {
    return mapAscii(bytes, 'a', 'A');
}

bool containsNoCase(const QByteArray& haystack, const QByteArray& needle) {
    return find(asciiLower(haystack), asciiLower(needle), 1) > 0;
}

} // namespace orvane::gbk
