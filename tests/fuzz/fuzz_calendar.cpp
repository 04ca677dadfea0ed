// The iCalendar readers: any file read without a crash; every alarm taken from one written out and read
// back with the same stored texts; the holiday reader either a table or its message.
#include "FuzzInput.h"
#include "alarm/AlarmCalendar.h"
#include "alarm/AlarmCodec.h"
#include "calendar/HolidayIcs.h"

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text = fuzz::bytes(data, size);
    const QDate today(2026, 12, 7);
    const CalendarImport read = readCalendar(text, today);
    fuzz::require(read.error.isEmpty() || (read.alarms.isEmpty() && read.skipped.isEmpty()),
                  "error reads nothing");

    QList<Alarm> alarms;
    for (const AlarmTexts& texts : read.alarms) {
        const Alarm alarm = decodeAlarm(alarms.size() + 1, texts);
        if (alarm.time.rule.kind != RuleKind::Unknown) // the export leaves out alarms that never ring
            alarms << alarm;
    }
    const QByteArray again = exportAlarms(
        alarms, [](const Alarm& a, qint64 from) { return a.time.nextAt(from); }, today);
    QList<AlarmTexts> expected;
    for (const Alarm& alarm : alarms)
        expected << alarm.texts;
    fuzz::require(readCalendar(again, today).alarms == expected, "export read back unchanged");

    QString error;
    const std::optional<HolidayTable> table = parseHolidayIcs(text, &error);
    fuzz::require(table.has_value() != error.startsWith(QStringLiteral("节假日文件格式错误")),
                  "table or message");
    return 0;
}
