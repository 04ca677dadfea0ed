// The holiday table's lookups and the workday rule.
#include "calendar/Holidays.h"

namespace orvane {

HolidayTable::HolidayTable(const QList<HolidayDay>& days) {
    for (const HolidayDay& day : days)
        if (day.date.isValid())
            years_[day.date.year()].insert(day.date, day);
}

const HolidayDay* HolidayTable::find(QDate date) const {
    const auto year = years_.constFind(date.year());
    if (year == years_.constEnd())
        return nullptr;
    const auto day = year->constFind(date);
    return day == year->constEnd() ? nullptr : &*day;
}

QList<HolidayDay> HolidayTable::days() const {
    QList<HolidayDay> all;
    for (const auto& year : years_)
        for (const HolidayDay& day : year)
            all.append(day);
    return all;
}

HolidayTable HolidayTable::overriddenBy(const HolidayTable& newer) const {
    HolidayTable merged = *this;
    for (auto year = newer.years_.cbegin(); year != newer.years_.cend(); ++year)
        merged.years_[year.key()] = year.value();
    return merged;
}

namespace {
HolidayTable& tableInForce() {
    static HolidayTable table = HolidayTable::carried();
    return table;
}
} // namespace

const HolidayTable& holidayTable() {
    return tableInForce();
}

void setHolidayTable(const HolidayTable& table) {
    tableInForce() = table;
}

bool isStatutoryWorkday(QDate date, const HolidayTable& table) {
    if (const HolidayDay* listed = table.find(date))
        return !listed->dayOff;
    return date.dayOfWeek() <= 5;
}

} // namespace orvane
