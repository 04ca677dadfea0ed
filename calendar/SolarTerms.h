// The 24 solar terms: their names and their days 1900-2100 in China Standard Time.
#pragma once

#include <QDate>
#include <QString>

namespace orvane {

inline constexpr int kSolarTerms = 24;

QString solarTermName(int term); // 0 = 小寒, 1 = 大寒, 2 = 立春 … 23 = 冬至; empty if invalid
QDate solarTermDate(int year, int term); // invalid outside 1900-2100 or for an invalid term
// The term on `date` or, when none falls on it, the last one before it; -1 outside the table.
// `year` receives the year the term belongs to.
int solarTermOnOrBefore(QDate date, int* year = nullptr);

} // namespace orvane
