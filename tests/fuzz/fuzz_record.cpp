// The stored alarm record: its "|"-joined fields spread over the list cells without loss or crash, and
// the scheduler's rules take any text.
#include "FuzzInput.h"
#include "alarm/AlarmRecord.h"
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
    repeatRulePasses(row.repeatRule, QStringLiteral("一"));
    ringCountFor(row.ringFlag);
    return 0;
}
