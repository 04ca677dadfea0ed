// Splitting stored alarm texts into list cells.
#include "alarm/AlarmRecord.h"

#include <iterator>
#include <utility>

namespace orvane {

namespace {

// The first two "|"-separated pieces of a text and how many pieces it has (0 for an empty text, 3 for
// three or more), cut without building a list: the list reload does this for every alarm.
struct FirstPieces {
    QString first, second;
    int count = 0;
};

FirstPieces firstPieces(const QString& text) {
    FirstPieces pieces;
    if (text.isEmpty())
        return pieces;
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0) {
        pieces.first = text; // shared, not copied
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

QStringList splitPieces(const QString& text) {
    if (text.isEmpty())
        return {};
    return text.split(u'|');
}

AlarmListRow alarmListRow(int n, const AlarmRecord& record) {
    FirstPieces t = firstPieces(record.dueField);
    FirstPieces r = firstPieces(record.ringField);
    FirstPieces p = firstPieces(record.promptField);

    AlarmListRow row;
    row.number = decimal(n);
    row.key = decimal(record.key);
    if (t.count >= 2) {
        row.dueText = std::move(t.second);
        row.weekdayColumn = t.first;
    }
    row.repeatRule = std::move(t.first);
    row.ringFlag = std::move(r.first);
    // A "|" typed into a path or a reminder text makes a third piece: the cell then stays empty.
    if (r.count == 2)
        row.ringPath = std::move(r.second);
    row.popupFlag = std::move(p.first);
    if (p.count == 2)
        row.reminderText = std::move(p.second);
    return row;
}

} // namespace orvane
