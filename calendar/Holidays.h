// China's statutory holidays and 调休 make-up workdays: a table of listed days by year, the table in
// force (the carried one with imported years in front), and the workday rule built on it.
#pragma once

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

namespace orvane {

// One listed day: a day off (休) or a make-up workday (班), and the holiday it belongs to ("国庆节").
struct HolidayDay {
    QDate date;
    bool dayOff = true;
    QString name;
    bool operator==(const HolidayDay&) const = default;
};

// The listed days of the years it covers. A year is covered when any of its days is listed: its
// unlisted days follow the week (Monday–Friday work, weekends off).
class HolidayTable {
public:
    HolidayTable() = default;
    explicit HolidayTable(const QList<HolidayDay>& days);

    // The table compiled into the program.
    static const HolidayTable& carried();

    bool covers(int year) const { return years_.contains(year); }
    QList<int> years() const { return years_.keys(); }
    const HolidayDay* find(QDate date) const; // the listed day, or null
    QList<HolidayDay> days() const;
    // This table with the years of `newer` taking the place of its own.
    HolidayTable overriddenBy(const HolidayTable& newer) const;

private:
    QMap<int, QMap<QDate, HolidayDay>> years_;
};

// The table in force: the carried one until setHolidayTable (at start, after reading the imported
// years, and after each import).
const HolidayTable& holidayTable();
void setHolidayTable(const HolidayTable& table);

// China's workday: Monday–Friday unless listed as a day off, and the listed make-up workdays. A year the
// table does not cover follows the week.
bool isStatutoryWorkday(QDate date, const HolidayTable& table = holidayTable());

} // namespace orvane
