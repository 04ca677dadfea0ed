// The day of each solar term 1900-2100 (China Standard Time), one text of 24 digits per year (internal).
#pragma once

#include <array>

namespace orvane::solar_term_table {

inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 2100;
inline constexpr int kYears = kLastYear - kFirstYear + 1;

// Digit k of a year's text is term k (0 = 小寒 … 23 = 冬至), which falls in month k / 2 + 1 on day
// digit + 3 for the first term of a month (a 节) and digit + 18 for the second (a 中气).
extern const std::array<const char*, kYears> kTermDays;

} // namespace orvane::solar_term_table
