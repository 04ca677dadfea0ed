// Chinese lunar calendar: conversion to and from Gregorian dates 1900-2100, and the names of its parts.
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace orvane {

struct LunarDate {
    int year = 0; // the Gregorian year in which this lunar year began
    int month = 0;
    bool leap = false;
    int day = 0;
    bool operator==(const LunarDate&) const = default;
};

// Covered: lunar years 1900-2100, i.e. Gregorian 1900-01-31 to 2101-01-28.
std::optional<LunarDate> lunarFromSolar(QDate date);        // nullopt outside the table
std::optional<QDate> solarFromLunar(const LunarDate& date); // nullopt when no such day
int lunarMonthDays(int lunarYear, int month, bool leap);    // 0 when no such month
int leapMonthOf(int lunarYear);                             // 0 = none (also outside the table)

QString sexagenaryYearName(int lunarYear); // 甲子 … 癸亥 (1984 = 甲子)
QString zodiacAnimal(int lunarYear);       // 鼠 牛 虎 … 猪 (1984 = 鼠)
QString lunarMonthName(int month,
                       bool leap); // 正月 … 十月 冬月 腊月, "闰" before a leap month; empty if invalid
QString lunarDayName(int day); // 初一 … 初十 十一 … 二十 廿一 … 廿九 三十; empty if invalid
// "丙午年(马)正月初一 2026-2-17": sexagenary year, animal, month, day, then the Gregorian date without
// leading zeros; empty outside the table.
QString lunarDateText(QDate date);

} // namespace orvane
