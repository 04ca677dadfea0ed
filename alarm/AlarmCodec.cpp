// Writing and reading the three stored texts of an alarm.
#include "alarm/AlarmCodec.h"

#include "common/OleDateTime.h"

namespace orvane {

namespace {

QString twoDigits(int n) {
    return QString::number(n).rightJustified(2, u'0');
}

// The first two "|"-separated pieces of a text and how many pieces it has (0 for an empty text, 3 for
// three or more), cut without building a list: a load does this for every alarm.
struct FirstPieces {
    QStringView first, second;
    int count = 0;
};

FirstPieces firstPieces(QStringView text) {
    FirstPieces pieces;
    if (text.isEmpty())
        return pieces;
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0) {
        pieces.first = text;
        pieces.count = 1;
        return pieces;
    }
    const qsizetype next = text.indexOf(u'|', bar + 1);
    pieces.first = text.first(bar);
    pieces.second = text.sliced(bar + 1, (next < 0 ? text.size() : next) - bar - 1);
    pieces.count = next < 0 ? 2 : 3;
    return pieces;
}

// Reads a decimal number at `at` with no leading zero (or exactly `width` digits when width > 0).
std::optional<int> number(QStringView text, qsizetype& at, int width = 0) {
    const qsizetype begin = at;
    qint64 value = 0;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9' && at - begin < 6) {
        value = value * 10 + (text[at].unicode() - u'0');
        ++at;
    }
    const qsizetype digits = at - begin;
    if (digits == 0 || (width > 0 && digits != width) || (width == 0 && text[begin] == u'0'))
        return std::nullopt;
    return int(value);
}

bool take(QStringView text, qsizetype& at, char16_t c) {
    if (at >= text.size() || text[at] != c)
        return false;
    ++at;
    return true;
}

} // namespace

AlarmRecord StoredAlarm::decoded() const {
    return {key, QString::fromUtf8(due()), QString::fromUtf8(ring()), QString::fromUtf8(prompt())};
}

QStringList splitPieces(const QString& text) {
    if (text.isEmpty())
        return {};
    return text.split(u'|');
}

QString dueText(qint64 minute) {
    const QDate d = dateOfMinute(minute);
    const int m = int(minute % kMinutesPerDay);
    return QString::number(d.year()) + u'年' + QString::number(d.month()) + u'月' + QString::number(d.day()) +
           u'日' + twoDigits(m / 60) + u'时' + twoDigits(m % 60) + u'分';
}

std::optional<qint64> readDueText(QStringView due) {
    qsizetype at = 0;
    const auto year = number(due, at);
    if (!year || !take(due, at, u'年'))
        return std::nullopt;
    const auto month = number(due, at);
    if (!month || !take(due, at, u'月'))
        return std::nullopt;
    const auto day = number(due, at);
    if (!day || !take(due, at, u'日'))
        return std::nullopt;
    const auto hour = number(due, at, 2);
    if (!hour || !take(due, at, u'时'))
        return std::nullopt;
    const auto minute = number(due, at, 2);
    if (!minute || !take(due, at, u'分') || at != due.size())
        return std::nullopt;
    const QDate date(*year, *month, *day);
    if (!date.isValid() || *year < 100 || *hour > 23 || *minute > 59)
        return std::nullopt;
    return minuteKey(date, *hour * 60 + *minute);
}

AlarmTexts encodeAlarm(const AlarmValues& v) {
    return {ruleText(v.rule) + u'|' + dueText(minuteKey(v.date, v.hour * 60 + v.minute)),
            flagText(v.ring) + u'|' + v.sound, flagText(v.popup) + u'|' + v.reminder};
}

Alarm decodeAlarm(qint64 key, const AlarmTexts& texts) {
    return decodeAlarm(key, texts.due, texts.ring, texts.prompt);
}

Alarm decodeAlarm(qint64 key, QStringView due, QStringView ring, QStringView prompt) {
    const FirstPieces t = firstPieces(due);
    const FirstPieces r = firstPieces(ring);
    const FirstPieces p = firstPieces(prompt);

    Alarm alarm;
    alarm.key = key;
    alarm.texts = {due.toString(), ring.toString(), prompt.toString()};
    alarm.rule = t.first.toString();
    // Further pieces of the due text are ignored, as they always were.
    if (t.count >= 2) {
        alarm.dueText = t.second.toString();
        alarm.hasDueText = true;
        const std::optional<AlarmRule> rule = ruleFromText(t.first);
        const std::optional<qint64> first = readDueText(t.second);
        if (rule && first)
            alarm.time = alarmTime(*rule, dateOfMinute(*first), int(*first % kMinutesPerDay));
    }
    alarm.ringFlag = r.first.toString();
    if (r.count == 2)
        alarm.sound = r.second.toString();
    alarm.popupFlag = p.first.toString();
    if (p.count == 2)
        alarm.reminder = p.second.toString();
    return alarm;
}

EditorFill editorFill(const AlarmTexts& texts) {
    EditorFill fill;
    const QStringList t = splitPieces(texts.due);
    if (!t.isEmpty())
        fill.rule = t.at(0);
    if (t.size() == 2) {
        const QString& p = t.at(1);
        const qsizetype d = p.indexOf(u'日') + 1; // 0 when there is none
        fill.date = OleDateTime::fromText(p.left(d)).toQDateTime().date();
        const QString rest = p.mid(d);
        fill.hour = rest.left(2);
        fill.minute = rest.mid(3, 2);
    }
    const QStringList r = splitPieces(texts.ring);
    if (!r.isEmpty())
        fill.ring = readFlag(r.at(0));
    if (r.size() == 2)
        fill.sound = r.at(1);
    const QStringList p = splitPieces(texts.prompt);
    if (!p.isEmpty())
        fill.popup = readFlag(p.at(0));
    if (p.size() == 2)
        fill.reminder = p.at(1);
    return fill;
}

} // namespace orvane
