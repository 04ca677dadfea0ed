// Numbers as text: decimal integers, "%.13g" floating values, leading-number reading.
#pragma once

#include <QString>

namespace orvane {

QString intText(qint64 value);    // decimal, no leading zeros
QString numberText(double value); // "%.13g" (integers come out without a decimal point)
// The decimal number at the start of the text (optional blanks and sign, digits, a fraction,
// an exponent); 0 when there is none.
double readNumber(const QString& text);
// A floating value made an integer: truncated toward zero, saturated at the 64-bit limits, NaN gives 0.
qint64 truncToInt(double value);

} // namespace orvane
