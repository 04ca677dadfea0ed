// An alarm's repeat rule as a value: the word stored before the first "|" of 提醒时间, and what it means.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace orvane {

enum class RuleKind : quint8 {
    Unknown,      // a word the program does not know: the alarm never rings
    Daily,        // "每天": every day from its stored date on
    Weekly,       // "星期一" … "星期日": every such weekday from its stored date on
    Once,         // "仅一次": on its stored date only
    Workday,      // "工作日": China's workdays (Monday–Friday but holidays, and the make-up workdays)
    DayOff,       // "节假日": the other days
    LunarYearly,  // "农历每年": the lunar month and day of its stored date, every year
    LunarMonthly, // "农历每月": the lunar day of its stored date, every lunar month
    SolarTerm,    // "节气": each of the 24 solar terms' days
    WeekdaySet, // "周一至周五", "周末", "周二、周四": every day of a set of weekdays, holidays ignored
    BigSmallWeek, // "大小周": China's workdays and the Saturday of every other week, counted from the
                  // week of its stored date (a week with Saturday work)
    Shift,        // "上3休3", "每隔3天": `on` days ringing, then `off` days not, from its stored date
};

struct AlarmRule {
    RuleKind kind = RuleKind::Unknown;
    quint8 weekday = 0;     // 1 Monday … 7 Sunday, for Weekly
    quint8 weekdays = 0;    // bit d−1 for weekday d, for WeekdaySet
    quint8 on = 0, off = 0; // for Shift: 1 to 30 each

    // Decides by China's holiday table.
    bool followsHolidayTable() const {
        return kind == RuleKind::Workday || kind == RuleKind::DayOff || kind == RuleKind::BigSmallWeek;
    }
    bool isLunar() const { return kind == RuleKind::LunarYearly || kind == RuleKind::LunarMonthly; }
    bool operator==(const AlarmRule&) const = default;
};

constexpr int kLongestShiftPart = 30;

// The stored word read strictly: exactly one of the rules the editor writes. A set of weekdays may list
// its days in any order ("周三、周一"); a shift takes Arabic or Chinese numbers ("上三休三", "做2休1",
// "每隔3天").
std::optional<AlarmRule> ruleFromText(QStringView text);
// The word the rule is stored and shown as: a set of one day is "星期X", of all seven "每天", of Monday to
// Friday "周一至周五", of the weekend "周末", any other its days from Monday on ("周二、周四"); a shift
// of one day on is "每隔N天", any other "上N休M".
QString ruleText(const AlarmRule& rule);
// The rules the editor offers, in their order: "每天", "星期一" … "星期日", "仅一次", the Chinese-calendar
// ones "工作日", "节假日", "农历每年", "农历每月", "节气", then "周一至周五", "周末", "大小周" and the two
// choosers below.
QStringList ruleItems();
// The items that open a chooser instead of naming a rule.
inline QString weekdayChooserItem() {
    return QStringLiteral("自选星期…");
}
inline QString shiftChooserItem() {
    return QStringLiteral("轮班…");
}

} // namespace orvane
