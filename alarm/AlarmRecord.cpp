// Splitting stored alarm texts into list cells.
#include "alarm/AlarmRecord.h"

#include <iterator>

namespace orvane {

namespace {

// The first two "|"-separated pieces of a text and how many pieces it has (0 for an empty text, 3 for
// three or more), cut without building a list: the list reload does this for every alarm.
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

// QString::number's text for a count or a key, without its locale-aware formatter.
QString decimal(qint64 value) {
    if (value < 0)
        return QString::number(value);
    char16_t digits[20];
    qsizetype at = std::size(digits);
    do {
        digits[--at] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    return QString(reinterpret_cast<const QChar*>(digits + at), qsizetype(std::size(digits)) - at);
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

AlarmListRow alarmListRow(int n, const AlarmRecord& record) {
    return alarmListRow(n, record.key, record.dueField, record.ringField, record.promptField);
}

AlarmListRow alarmListRow(int n, qint64 key, QStringView due, QStringView ring, QStringView prompt) {
    const FirstPieces t = firstPieces(due);
    const FirstPieces r = firstPieces(ring);
    const FirstPieces p = firstPieces(prompt);

    AlarmListRow row;
    row.number = decimal(n);
    row.key = decimal(key);
    row.repeatRule = t.first.toString();
    if (t.count >= 2) {
        row.dueText = t.second.toString();
        row.weekdayColumn = row.repeatRule; // shared, not copied
    }
    row.ringFlag = r.first.toString();
    // A "|" typed into a path or a reminder text makes a third piece: the cell then stays empty.
    if (r.count == 2)
        row.ringPath = r.second.toString();
    row.popupFlag = p.first.toString();
    if (p.count == 2)
        row.reminderText = p.second.toString();
    return row;
}

} // namespace orvane
