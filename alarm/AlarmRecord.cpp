// Splitting stored alarm texts into list cells.
#include "alarm/AlarmRecord.h"

namespace orvane {

QStringList splitPieces(const QString& text) {
    if (text.isEmpty())
        return {};
    return text.split(u'|');
}

AlarmListRow alarmListRow(int n, const AlarmRecord& record) {
    const QStringList t = splitPieces(record.dueField);
    const QStringList r = splitPieces(record.ringField);
    const QStringList p = splitPieces(record.promptField);
    const auto piece = [](const QStringList& pieces, int i) {
        return i < pieces.size() ? pieces.at(i) : QString();
    };

    AlarmListRow row;
    row.number = QString::number(n);
    row.key = QString::number(record.key);
    row.repeatRule = piece(t, 0);
    if (t.size() >= 2) {
        row.dueText = t.at(1);
        row.weekdayColumn = t.at(0);
    }
    row.ringFlag = piece(r, 0);
    // A "|" typed into a path or a reminder text makes a third piece: the cell then stays empty.
    if (r.size() == 2)
        row.ringPath = r.at(1);
    row.popupFlag = piece(p, 0);
    if (p.size() == 2)
        row.reminderText = p.at(1);
    return row;
}

} // namespace orvane
