// The clock face's hand geometry and the texts of the left column (time, weekday greeting, lunar label).
#pragma once

#include <QDate>
#include <QDateTime>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace orvane {

struct HandLine {
    QPoint from;
    QPoint to;
    int penWidth; // 0 draws a one-pixel line
};

struct ClockHands {
    HandLine hour, minute, second;
};

// Hand ends from k × 6.28 / 60 radians, truncated toward zero; the hour uses the 24-hour value.
ClockHands clockHands(int hour, int minute, int second);
// "2010/5/3 08:05:09"
QString clockLabelText(const QDateTime& t);
// "一" … "六", "日" in Monday-first order.
const QStringList& weekdayTable();
// The weekday character of a date: Monday "一" … Saturday "六", Sunday "日".
QString weekdayChar(const QDate& date);
QString weekdayGreeting(const QString& weekdayChar); // "你好,今天是星期" + char
// The lunar part of the lunar-date text up to and including its first space; empty without a space.
QString lunarLabelText(const QString& lunarDateText);

} // namespace orvane
