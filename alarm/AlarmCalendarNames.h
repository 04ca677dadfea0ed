// The names our calendar files carry, shared by their writer and their reader.
#pragma once

namespace orvane {

inline constexpr char kProductId[] = "-//Orvane//Orvane电脑闹钟//ZH";
// The alarm's rule word, and its three stored texts as they are, for our own import.
inline constexpr char kRuleProperty[] = "X-ORVANE-RULE";
inline constexpr char kDueProperty[] = "X-ORVANE-DUE";
inline constexpr char kRingProperty[] = "X-ORVANE-RING";
inline constexpr char kPromptProperty[] = "X-ORVANE-PROMPT";

} // namespace orvane
