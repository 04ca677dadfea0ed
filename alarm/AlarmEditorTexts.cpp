// The alarm editor's checks, read-back guard, add presets and holiday-data note.
#include "alarm/AlarmEditorTexts.h"

#include "calendar/Holidays.h"

#include <algorithm>

namespace orvane {

namespace {

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QStringList twoDigitItems(int count) {
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << twoDigits(i);
    return items;
}

// One or two ASCII digits (blanks around them ignored); nullopt for anything else.
std::optional<int> smallNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 2)
        return std::nullopt;
    int value = 0;
    for (QChar c : t) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

QStringList hourItems() {
    return twoDigitItems(24);
}

QStringList minuteItems() {
    return twoDigitItems(60);
}

EditorCheck checkEditorEntry(const EditorEntry& entry) {
    const std::optional<int> h = smallNumber(entry.hour);
    if (!h || *h > 23)
        return {editortext::badHour(), EntryBox::Hour, {}};
    const std::optional<int> m = smallNumber(entry.minute);
    if (!m || *m > 59)
        return {editortext::badMinute(), EntryBox::Minute, {}};
    const std::optional<AlarmRule> rule = ruleFromText(entry.rule.trimmed());
    if (!rule)
        return {editortext::badRule(), EntryBox::Rule, {}};
    return {{},
            EntryBox::None,
            {*rule, entry.date, *h, *m, entry.ring, entry.sound, entry.popup, entry.reminder}};
}

EntryBox readBackMismatch(const ShownEntry& shown, const AlarmTexts& stored) {
    const AlarmTime time = decodeAlarm(0, stored).time;
    if (time.rule.kind == RuleKind::Unknown || ruleFromText(shown.rule.trimmed()) != time.rule)
        return EntryBox::Rule;
    if (QDate::fromString(shown.date, QStringLiteral("yyyy/M/d")).toJulianDay() != time.firstDay)
        return EntryBox::Date;
    if (smallNumber(shown.hour) != time.minuteOfDay / 60)
        return EntryBox::Hour;
    if (smallNumber(shown.minute) != time.minuteOfDay % 60)
        return EntryBox::Minute;
    return EntryBox::None;
}

QString ruleHint(const QString& ruleText) {
    const std::optional<AlarmRule> rule = ruleFromText(ruleText.trimmed());
    if (!rule)
        return {};
    if (rule->kind == RuleKind::BigSmallWeek)
        return QStringLiteral("所选日期那周为大周，周六上班");
    if (rule->kind == RuleKind::Shift)
        return QStringLiteral("从所选日期起") + orvane::ruleText(*rule);
    return {};
}

QString holidayCoverageNote(const AlarmRule& rule, QDate firstDate, QDate today) {
    if (!rule.followsHolidayTable())
        return {};
    const int year = std::max(firstDate, today).year();
    if (holidayTable().covers(year))
        return {};
    return QString::number(year) + QStringLiteral("年的法定节假日尚未收录，暂按周一至周五");
}

AddPresets addPresets(const QDateTime& now) {
    const QDateTime next = now.addSecs(60);
    return {next.date(), twoDigits(next.time().hour()), twoDigits(next.time().minute())};
}

} // namespace orvane
