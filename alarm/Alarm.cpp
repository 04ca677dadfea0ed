// Cutting stored alarm texts into an alarm.
#include "alarm/Alarm.h"

namespace orvane {

namespace {

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

} // namespace

AlarmRecord StoredAlarm::decoded() const {
    return {key, QString::fromUtf8(due()), QString::fromUtf8(ring()), QString::fromUtf8(prompt())};
}

QStringList splitPieces(const QString& text) {
    if (text.isEmpty())
        return {};
    return text.split(u'|');
}

Alarm alarmFrom(const AlarmRecord& record) {
    return alarmFrom(record.key, record.dueField, record.ringField, record.promptField);
}

Alarm alarmFrom(qint64 key, QStringView due, QStringView ring, QStringView prompt) {
    const FirstPieces t = firstPieces(due);
    const FirstPieces r = firstPieces(ring);
    const FirstPieces p = firstPieces(prompt);

    Alarm alarm;
    alarm.key = key;
    alarm.rule = t.first.toString();
    // Further pieces of the due text are ignored, as they always were.
    if (t.count >= 2) {
        alarm.dueText = t.second.toString();
        alarm.hasDueText = true;
        alarm.time = alarmTime(t.first, t.second);
    }
    alarm.ringFlag = r.first.toString();
    if (r.count == 2)
        alarm.sound = r.second.toString();
    alarm.popupFlag = p.first.toString();
    if (p.count == 2)
        alarm.reminder = p.second.toString();
    return alarm;
}

} // namespace orvane
