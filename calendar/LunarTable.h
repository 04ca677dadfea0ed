// The published Chinese calendar table 1900-2100, one packed entry per lunar year (internal to calendar/).
#pragma once

#include <array>
#include <cstdint>

namespace orvane::lunar_table {

inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 2100;
inline constexpr int kYears = kLastYear - kFirstYear + 1;

// The new year of kFirstYear, the day every other date is counted from.
inline constexpr int kFirstNewYearYear = 1900;
inline constexpr int kFirstNewYearMonth = 1;
inline constexpr int kFirstNewYearDay = 31;

// Per lunar year: bits 15..4 are months 1..12 (bit 15 = month 1; set = 30 days, clear = 29),
// bits 3..0 the leap month's number (0 = none), bit 16 set when the leap month has 30 days.
extern const std::array<std::uint32_t, kYears> kYearInfo;

} // namespace orvane::lunar_table
