// The alarm editor's texts: building, checking, add presets and the modify fill.
#include "alarm/AlarmEditorTexts.h"

#include "alarm/AlarmTime.h"
#include "calendar/Holidays.h"
#include "common/FlagText.h"
#include "common/OleDateTime.h"

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

QString datePiece(QDate date) {
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

AlarmTexts buildAlarmTexts(const AlarmEditorValues& v) {
    return {v.repeatRule + u'|' + datePiece(v.date) + v.hour + u'时' + v.minute + u'分',
            flagText(v.ring) + u'|' + v.ringPath, flagText(v.popup) + u'|' + v.reminder};
}

EditorCheck checkEditorValues(const QString& hour, const QString& minute, const QString& repeatRule) {
    const std::optional<int> h = smallNumber(hour);
    if (!h || *h > 23)
        return {editortext::badHour(), {}, {}};
    const std::optional<int> m = smallNumber(minute);
    if (!m || *m > 59)
        return {editortext::badMinute(), {}, {}};
    if (!repeatRuleItems().contains(repeatRule))
        return {editortext::badRule(), {}, {}};
    return {{}, twoDigits(*h), twoDigits(*m)};
}

EntryBox readBackMismatch(const ShownEntry& shown, const AlarmTexts& stored) {
    const QStringList pieces = splitPieces(stored.due);
    const AlarmTime time = alarmTime(pieces.value(0), pieces.value(1));
    if (pieces.size() != 2 || time.repeat == Repeat::Never || pieces.at(0) != shown.rule)
        return EntryBox::Rule;
    if (QDate::fromString(shown.date, QStringLiteral("yyyy/M/d")).toJulianDay() != time.firstDay)
        return EntryBox::Date;
    if (smallNumber(shown.hour) != time.minuteOfDay / 60)
        return EntryBox::Hour;
    if (smallNumber(shown.minute) != time.minuteOfDay % 60)
        return EntryBox::Minute;
    return EntryBox::None;
}

QString holidayCoverageNote(const QString& rule, QDate firstDate, QDate today) {
    if (!followsHolidayTable(alarmTime(rule, QString(datePiece(firstDate) + u"00时00分")).repeat))
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

ModifyFill modifyFill(const QString& dueField, const QString& ringField, const QString& promptField) {
    ModifyFill fill;
    const QStringList t = splitPieces(dueField);
    if (!t.isEmpty())
        fill.repeatRule = t.at(0);
    if (t.size() == 2) {
        // The stored due text is "2010年5月3日08时30分": the date runs up to and including the first
        // "日", the hour is the two characters after it, the minute the two after the hour and "时".
        const QString& p = t.at(1);
        const qsizetype d = p.indexOf(u'日') + 1; // 0 when there is none
        fill.date = OleDateTime::fromText(p.left(d)).toQDateTime().date();
        const QString rest = p.mid(d);
        fill.hour = rest.left(2);
        fill.minute = rest.mid(3, 2);
    }
    const QStringList r = splitPieces(ringField);
    if (!r.isEmpty())
        fill.ring = readFlag(r.at(0));
    if (r.size() == 2)
        fill.ringPath = r.at(1);
    const QStringList p = splitPieces(promptField);
    if (!p.isEmpty())
        fill.popup = readFlag(p.at(0));
    if (p.size() == 2)
        fill.reminder = p.at(1);
    return fill;
}

} // namespace orvane
