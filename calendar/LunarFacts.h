// The Chinese-calendar facts of a date, as the built-in lunar service writes them.
#pragma once

#include <QDate>
#include <QString>

namespace orvane {

QString sexagenaryName(int index); // 0 = 甲子 … 59 = 癸亥
QString naYin(int index);          // the sound element of a sexagenary pair: 0, 1 = 海中金 …

// Positions in the sixty-cycle of the four pillars' first three: the year turns at 立春, the month at
// each 节 (小寒, 立春, 惊蛰 …), the day every day. -1 outside 1901-2099 for year and month.
int yearPillar(QDate date);
int monthPillar(QDate date);
int dayPillar(QDate date);

QString gregorianText(QDate date);   // 2010年3月5日 星期五
QString lunarText(QDate date);       // 庚寅年(虎)正月二十, as the main window's lunar label begins
QString fourPillarsText(QDate date); // 庚寅 戊寅 甲寅
QString solarTermText(QDate date);   // 惊蛰 on its day, else 雨水后，惊蛰(3月6日)前
QString lunarMansion(QDate date);    // 角木蛟 … 轸水蚓, a 28-day round
QString naYinText(QDate date);       // 纳音 of year, month and day pillar, blank-separated
QString distanceText(QDate date, QDate today); // 今天, N天后, N天前

} // namespace orvane
