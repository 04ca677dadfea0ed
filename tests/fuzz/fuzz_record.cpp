// The stored alarm record: its "|"-joined fields cut into an alarm without loss or crash, the same
// alarm whether cut from decoded texts or from the stored bytes, and any due text and rule read into a
// time whose next ring really rings.
#include "FuzzInput.h"
#include "alarm/Alarm.h"
#include "alarm/AlarmCodec.h"
#include "alarm/AlarmRows.h"

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList fields = QString::fromUtf8(fuzz::bytes(data, size)).split(QChar(u'\n'));
    const AlarmTexts texts{fields.value(0), fields.value(1), fields.value(2)};
    const Alarm alarm = decodeAlarm(7, texts);
    fuzz::require(alarm.key == 7 && alarm.texts == texts, "key and texts kept");
    for (const QString& field : {texts.due, texts.ring, texts.prompt})
        fuzz::require(splitPieces(field).join(QChar(u'|')) == field, "pieces join back");

    // The same fields as stored bytes, any bytes at all, cut as a load cuts them.
    const QList<QByteArray> raw = fuzz::bytes(data, size).split('\n');
    StoredAlarm stored;
    stored.key = 7;
    stored.texts = raw.value(0) + raw.value(1) + raw.value(2);
    stored.dueEnd = raw.value(0).size();
    stored.ringEnd = stored.dueEnd + raw.value(1).size();
    const AlarmRecord record = stored.decoded();
    const Alarm fromDecoded = decodeAlarm(7, record.dueField, record.ringField, record.promptField);
    AlarmRows rows({stored});
    fuzz::require(rows.at(0) == fromDecoded, "alarm cut from stored bytes");

    // A time that was read at all rings at its next minute, which writes back as the stored due text
    // on its first day.
    const qint64 from = minuteKey(QDate(2026, 12, 7), 8 * 60);
    if (const std::optional<qint64> next = alarm.time.nextAt(from)) {
        fuzz::require(*next >= from && alarm.time.ringsAt(*next), "next ring rings");
        if (alarm.time.firstDay * 1440 + alarm.time.minuteOfDay == *next)
            fuzz::require(dueText(*next) == alarm.dueText, "first ring writes back as stored");
    }
    return 0;
}
