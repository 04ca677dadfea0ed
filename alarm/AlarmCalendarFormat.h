// What our calendar files carry beyond the standard, shared by their writer and their reader.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvane {

inline constexpr char kProductId[] = "-//Orvane//Orvane电脑闹钟//ZH";
// The alarm's rule word, and its three stored texts as they are, for our own import.
inline constexpr char kRuleProperty[] = "X-ORVANE-RULE";
inline constexpr char kDueProperty[] = "X-ORVANE-DUE";
inline constexpr char kRingProperty[] = "X-ORVANE-RING";
inline constexpr char kPromptProperty[] = "X-ORVANE-PROMPT";

// A stored text as the value of one of those: control characters (a line break, a lone CR, which the
// file's lines would swallow), a space at either end (which readers trim) and "%" itself as %XX,
// everything else as typed, so any text comes back exactly.
inline QByteArray storedTextValue(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray value;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const auto byte = static_cast<unsigned char>(c);
        const bool atEnd = i == 0 || i == utf8.size() - 1;
        if (byte < 0x20 || byte == 0x7f || c == '%' || (c == ' ' && atEnd))
            value += '%' + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        else
            value += c;
    }
    return value;
}
inline QString storedText(const char* value) {
    return QString::fromUtf8(QByteArray::fromPercentEncoding(QByteArray(value)));
}

} // namespace orvane
