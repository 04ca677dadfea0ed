// Numbers as text: decimal integers, "%.13g" floating values, the leading number of a text.
#include "NumberText.h"

#include <QByteArray>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace orvane {

namespace {

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Qt applications adopt the user's locale, whose decimal sign may be a comma; numbers as text always
// use the point, so conversions go through a fixed "C" locale.
locale_t cLocale() {
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    return c;
}

} // namespace

QString intText(qint64 value) {
    return QString::number(value);
}

QString numberText(double value) {
    char buffer[64];
    const locale_t previous = uselocale(cLocale());
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    uselocale(previous);
    return QString::fromLatin1(buffer);
}

double readNumber(const QString& text) {
    const qsizetype n = text.size();
    qsizetype pos = 0;
    while (pos < n && (text.at(pos) == u' ' || text.at(pos) == u'\t'))
        ++pos;
    const qsizetype begin = pos;
    if (pos < n && (text.at(pos) == u'+' || text.at(pos) == u'-'))
        ++pos;
    qsizetype digits = 0;
    for (; pos < n && isAsciiDigit(text.at(pos)); ++pos)
        ++digits;
    if (pos < n && text.at(pos) == u'.') {
        qsizetype fraction = 0;
        for (++pos; pos < n && isAsciiDigit(text.at(pos)); ++pos)
            ++fraction;
        digits += fraction;
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = pos;
    if (pos < n && (text.at(pos) == u'e' || text.at(pos) == u'E')) {
        qsizetype e = pos + 1;
        if (e < n && (text.at(e) == u'+' || text.at(e) == u'-'))
            ++e;
        if (e < n && isAsciiDigit(text.at(e))) { // an exponent counts only when digits follow it
            while (e < n && isAsciiDigit(text.at(e)))
                ++e;
            end = e;
        }
    }
    const QByteArray number = text.mid(begin, end - begin).toLatin1();
    return strtod_l(number.constData(), nullptr, cLocale()); // overflow gives ±HUGE_VAL, underflow 0
}

qint64 truncToInt(double value) {
    if (std::isnan(value))
        return 0;
    // 2^63 is exact in a double; everything at or above it (or below -2^63) saturates.
    constexpr double kTwo63 = 9223372036854775808.0;
    if (value >= kTwo63)
        return std::numeric_limits<qint64>::max();
    if (value < -kTwo63)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(value); // the conversion truncates toward zero
}

} // namespace orvane
