// The rule words and their values.
#include "alarm/AlarmRule.h"

namespace orvane {

namespace {

constexpr char16_t kWeekdayChars[] = u"一二三四五六日";
constexpr char16_t kDigitChars[] = u"一二三四五六七八九";
constexpr quint8 kMondayToFriday = 0x1f;
constexpr quint8 kWeekend = 0x60;
constexpr quint8 kAllDays = 0x7f;

struct NamedRule {
    RuleKind kind;
    const char16_t* word;
};

// The rules with a word of their own (the weekly ones are "星期" and the day's character).
constexpr NamedRule kNamed[] = {
    {RuleKind::Daily, u"每天"},           {RuleKind::Once, u"仅一次"},
    {RuleKind::Workday, u"工作日"},       {RuleKind::DayOff, u"节假日"},
    {RuleKind::LunarYearly, u"农历每年"}, {RuleKind::LunarMonthly, u"农历每月"},
    {RuleKind::SolarTerm, u"节气"},       {RuleKind::BigSmallWeek, u"大小周"},
};

int weekdayIndex(QChar c) {
    return int(QStringView(kWeekdayChars).indexOf(c)); // 0 Monday … 6 Sunday, −1
}

// A number from 1 to 30 in Arabic digits or Chinese numerals ("三", "十二", "二十", "三十").
std::optional<int> smallNumber(QStringView text) {
    if (text.isEmpty() || text.size() > 3)
        return std::nullopt;
    int value = 0;
    if (text[0] >= u'0' && text[0] <= u'9') {
        for (QChar c : text) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
            value = value * 10 + (c.unicode() - u'0');
        }
    } else {
        const qsizetype ten = text.indexOf(u'十');
        const auto digit = [](QStringView d) { return int(QStringView(kDigitChars).indexOf(d)) + 1; };
        if (ten < 0) {
            if (text.size() != 1)
                return std::nullopt;
            value = digit(text);
        } else {
            const int tens = ten == 0 ? 1 : (ten == 1 ? digit(text.first(1)) : 0);
            int units = -1;
            if (ten + 1 == text.size())
                units = 0;
            else if (ten + 2 == text.size() && digit(text.sliced(ten + 1)) > 0)
                units = digit(text.sliced(ten + 1));
            if (tens <= 0 || units < 0)
                return std::nullopt;
            value = tens * 10 + units;
        }
    }
    if (value < 1 || value > kLongestShiftPart)
        return std::nullopt;
    return value;
}

std::optional<AlarmRule> weekdaySet(QStringView text) {
    if (text == u"周一至周五")
        return AlarmRule{RuleKind::WeekdaySet, 0, kMondayToFriday, 0, 0};
    if (text == u"周末")
        return AlarmRule{RuleKind::WeekdaySet, 0, kWeekend, 0, 0};
    quint8 days = 0;
    for (QStringView part : text.split(u'、')) {
        const int day = part.size() == 2 && part[0] == u'周' ? weekdayIndex(part[1]) : -1;
        if (day < 0 || (days & (1 << day)))
            return std::nullopt;
        days |= quint8(1 << day);
    }
    if (days == kAllDays)
        return AlarmRule{RuleKind::Daily, 0, 0, 0, 0};
    for (int day = 0; day < 7; ++day)
        if (days == (1 << day))
            return AlarmRule{RuleKind::Weekly, quint8(day + 1), 0, 0, 0};
    return AlarmRule{RuleKind::WeekdaySet, 0, days, 0, 0};
}

std::optional<AlarmRule> shift(QStringView text) {
    if (text.startsWith(u"每隔") && text.endsWith(u'天')) {
        const std::optional<int> every = smallNumber(text.sliced(2, text.size() - 3));
        if (!every || *every < 2)
            return std::nullopt;
        return AlarmRule{RuleKind::Shift, 0, 0, 1, quint8(*every - 1)};
    }
    if (!(text.startsWith(u'上') || text.startsWith(u'做')))
        return std::nullopt;
    const qsizetype rest = text.indexOf(u'休');
    if (rest < 2)
        return std::nullopt;
    const std::optional<int> on = smallNumber(text.sliced(1, rest - 1));
    const std::optional<int> off = smallNumber(text.sliced(rest + 1));
    if (!on || !off)
        return std::nullopt;
    return AlarmRule{RuleKind::Shift, 0, 0, quint8(*on), quint8(*off)};
}

} // namespace

std::optional<AlarmRule> ruleFromText(QStringView text) {
    for (const NamedRule& named : kNamed)
        if (text == QStringView(named.word))
            return AlarmRule{named.kind, 0, 0, 0, 0};
    if (text.size() == 3 && text.startsWith(u"星期")) {
        const int day = weekdayIndex(text[2]);
        return day < 0 ? std::nullopt : std::optional(AlarmRule{RuleKind::Weekly, quint8(day + 1), 0, 0, 0});
    }
    if (text.startsWith(u'周'))
        return weekdaySet(text);
    return shift(text);
}

QString ruleText(const AlarmRule& rule) {
    switch (rule.kind) {
    case RuleKind::Weekly:
        if (rule.weekday >= 1 && rule.weekday <= 7)
            return QStringLiteral("星期") + QChar(kWeekdayChars[rule.weekday - 1]);
        return {};
    case RuleKind::WeekdaySet: {
        if (rule.weekdays == kMondayToFriday)
            return QStringLiteral("周一至周五");
        if (rule.weekdays == kWeekend)
            return QStringLiteral("周末");
        QStringList days;
        for (int day = 0; day < 7; ++day)
            if (rule.weekdays & (1 << day))
                days << QStringLiteral("周") + QChar(kWeekdayChars[day]);
        return days.join(u'、');
    }
    case RuleKind::Shift:
        if (rule.on == 1)
            return QStringLiteral("每隔%1天").arg(rule.off + 1);
        return QStringLiteral("上%1休%2").arg(rule.on).arg(rule.off);
    default:
        for (const NamedRule& named : kNamed)
            if (rule.kind == named.kind)
                return QString::fromUtf16(named.word);
        return {};
    }
}

QStringList ruleItems() {
    QStringList items{QStringLiteral("每天")};
    for (quint8 day = 1; day <= 7; ++day)
        items << ruleText({RuleKind::Weekly, day, 0, 0, 0});
    for (RuleKind kind : {RuleKind::Once, RuleKind::Workday, RuleKind::DayOff, RuleKind::LunarYearly,
                          RuleKind::LunarMonthly, RuleKind::SolarTerm})
        items << ruleText({kind, 0, 0, 0, 0});
    items << ruleText({RuleKind::WeekdaySet, 0, kMondayToFriday, 0, 0})
          << ruleText({RuleKind::WeekdaySet, 0, kWeekend, 0, 0}) << weekdayChooserItem()
          << ruleText({RuleKind::BigSmallWeek, 0, 0, 0, 0}) << shiftChooserItem();
    return items;
}

} // namespace orvane
