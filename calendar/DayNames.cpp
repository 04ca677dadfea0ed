// The names of a day, for the lunar label's tooltip.
#include "calendar/DayNames.h"

#include "calendar/LunarCalendar.h"
#include "calendar/SolarTerms.h"

#include <QStringList>

namespace orvane {

namespace {

QString festivalName(QDate date) {
    const std::optional<LunarDate> lunar = lunarFromSolar(date);
    if (!lunar)
        return {};
    // The eve is the day before the new year, whether the twelfth month has 29 or 30 days.
    const std::optional<LunarDate> next = lunarFromSolar(date.addDays(1));
    if (next && next->month == 1 && next->day == 1 && !next->leap)
        return QStringLiteral("除夕");
    if (lunar->leap)
        return {};
    static const struct {
        int month, day;
        const char* name;
    } festivals[] = {{1, 1, "春节"},  {1, 15, "元宵"}, {5, 5, "端午"},  {7, 7, "七夕"},
                     {8, 15, "中秋"}, {9, 9, "重阳"},  {12, 8, "腊八"}, {12, 23, "小年"}};
    for (const auto& festival : festivals)
        if (festival.month == lunar->month && festival.day == lunar->day)
            return QString::fromUtf8(festival.name);
    return {};
}

QString solarTermOn(QDate date) {
    int year = 0;
    const int term = solarTermOnOrBefore(date, &year);
    return term >= 0 && solarTermDate(year, term) == date ? solarTermName(term) : QString();
}

} // namespace

QString dayNamesText(QDate date, const HolidayTable& table) {
    QStringList lines;
    if (const HolidayDay* listed = table.find(date))
        lines << listed->name + (listed->dayOff ? QStringLiteral(" 放假") : QStringLiteral(" 调休上班"));
    for (const QString& name : {festivalName(date), solarTermOn(date)})
        if (!name.isEmpty())
            lines << name;
    return lines.join(u'\n');
}

} // namespace orvane
