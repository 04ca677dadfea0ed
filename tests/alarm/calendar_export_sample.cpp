// Writes the calendar export of one alarm per rule to standard output, for a second reader to check.
#include "alarm/AlarmCalendar.h"
#include "alarm/AlarmCodec.h"

#include <QCoreApplication>

#include <cstdio>

using namespace orvane;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QList<Alarm> alarms;
    QStringList rules = ruleItems();
    rules.removeAll(weekdayChooserItem());
    rules.removeAll(shiftChooserItem());
    rules << QStringLiteral("周二、周四") << QStringLiteral("上3休3") << QStringLiteral("每隔3天");
    for (const QString& rule : rules) {
        const AlarmTexts texts{rule + QStringLiteral("|2026年12月1日07时30分"), QStringLiteral("真|默认"),
                               QStringLiteral("真|") + rule +
                                   QStringLiteral("：一段要折行的很长很长很长很长的提醒文字")};
        alarms << decodeAlarm(alarms.size() + 1, texts);
    }
    const QByteArray ics = exportAlarms(
        alarms, [](const Alarm& a, qint64 from) { return a.time.nextAt(from); }, QDate(2026, 12, 7));
    std::fwrite(ics.constData(), 1, size_t(ics.size()), stdout);
    return 0;
}
