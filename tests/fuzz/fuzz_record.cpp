// The stored alarm record: its "|"-joined fields spread over the list cells without loss or crash, the
// same cells whether cut from decoded texts or from the stored bytes, and the scheduler's rules take any
// text.
#include "FuzzInput.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRows.h"
#include "alarm/AlarmSchedule.h"

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList fields = QString::fromUtf8(fuzz::bytes(data, size)).split(QChar(u'\n'));
    AlarmRecord record;
    record.key = 7;
    record.dueField = fields.value(0);
    record.ringField = fields.value(1);
    record.promptField = fields.value(2);
    const AlarmListRow row = alarmListRow(3, record);
    fuzz::require(row.key == QStringLiteral("7") && row.number == QStringLiteral("3"), "key and number");
    for (const QString& field : {record.dueField, record.ringField, record.promptField})
        fuzz::require(splitPieces(field).join(QChar(u'|')) == field, "pieces join back");

    // The same fields as stored bytes, any bytes at all, cut as a list load cuts them.
    const QList<QByteArray> raw = fuzz::bytes(data, size).split('\n');
    StoredAlarm stored;
    stored.key = 7;
    stored.texts = raw.value(0) + raw.value(1) + raw.value(2);
    stored.dueEnd = raw.value(0).size();
    stored.ringEnd = stored.dueEnd + raw.value(1).size();
    const AlarmListRow fromDecoded = alarmListRow(1, stored.decoded());
    AlarmRows rows({stored});
    fuzz::require(rows.cells(0) == fromDecoded, "cells cut from stored bytes");

    repeatRulePasses(row.repeatRule, QStringLiteral("一"));
    ringCountFor(row.ringFlag);
    return 0;
}
