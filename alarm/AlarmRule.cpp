// The rule words and their values.
#include "alarm/AlarmRule.h"

namespace orvane {

namespace {

constexpr char16_t kWeekdayChars[] = u"一二三四五六日";

struct NamedRule {
    RuleKind kind;
    const char16_t* word;
};

// The rules with a word of their own (the weekly ones are "星期" and the day's character).
constexpr NamedRule kNamed[] = {
    {RuleKind::Daily, u"每天"},           {RuleKind::Once, u"仅一次"},
    {RuleKind::Workday, u"工作日"},       {RuleKind::DayOff, u"节假日"},
    {RuleKind::LunarYearly, u"农历每年"}, {RuleKind::LunarMonthly, u"农历每月"},
    {RuleKind::SolarTerm, u"节气"},
};

} // namespace

std::optional<AlarmRule> ruleFromText(QStringView text) {
    for (const NamedRule& named : kNamed)
        if (text == QStringView(named.word))
            return AlarmRule{named.kind, 0};
    if (text.size() == 3 && text.startsWith(u"星期")) {
        const qsizetype day = QStringView(kWeekdayChars).indexOf(text[2]);
        if (day >= 0)
            return AlarmRule{RuleKind::Weekly, quint8(day + 1)};
    }
    return std::nullopt;
}

QString ruleText(const AlarmRule& rule) {
    if (rule.kind == RuleKind::Weekly && rule.weekday >= 1 && rule.weekday <= 7)
        return QStringLiteral("星期") + QChar(kWeekdayChars[rule.weekday - 1]);
    for (const NamedRule& named : kNamed)
        if (rule.kind == named.kind)
            return QString::fromUtf16(named.word);
    return {};
}

QStringList ruleItems() {
    QStringList items{QStringLiteral("每天")};
    for (quint8 day = 1; day <= 7; ++day)
        items << ruleText({RuleKind::Weekly, day});
    for (RuleKind kind : {RuleKind::Once, RuleKind::Workday, RuleKind::DayOff, RuleKind::LunarYearly,
                          RuleKind::LunarMonthly, RuleKind::SolarTerm})
        items << ruleText({kind, 0});
    return items;
}

} // namespace orvane
