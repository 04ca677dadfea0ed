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
};

struct AlarmRule {
    RuleKind kind = RuleKind::Unknown;
    quint8 weekday = 0; // 1 Monday … 7 Sunday, for Weekly

    // Decides by China's holiday table.
    bool followsHolidayTable() const { return kind == RuleKind::Workday || kind == RuleKind::DayOff; }
    bool isLunar() const { return kind == RuleKind::LunarYearly || kind == RuleKind::LunarMonthly; }
    bool operator==(const AlarmRule&) const = default;
};

// The stored word read strictly: exactly one of the words the editor writes.
std::optional<AlarmRule> ruleFromText(QStringView text);
// The word the rule is stored as.
QString ruleText(const AlarmRule& rule);
// The rules the editor offers, in their order: "每天", "星期一" … "星期日", "仅一次", then the
// Chinese-calendar ones "工作日", "节假日", "农历每年", "农历每月", "节气".
QStringList ruleItems();

} // namespace orvane
