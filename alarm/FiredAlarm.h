// An alarm that has fallen due: the alarm as it was then, the minute it was due in, and how late.
#pragma once

#include "alarm/AlarmCodec.h"

namespace orvane {

struct FiredAlarm {
    Alarm alarm;
    qint64 minute = 0;    // the wall-clock minute it was due in
    int lateMinutes = 0;  // 0 when it fires in its own minute
    bool snoozed = false; // rings again after "稍后提醒"

    // The reminder's first line: the due text of this ring ("2026年12月8日08时30分", which for a
    // repeating alarm is not its stored first date), and "（迟到 N 分钟）" when it rings late.
    QString dueLine() const {
        QString line = dueText(minute);
        if (lateMinutes > 0)
            line += QStringLiteral("（迟到 %1 分钟）").arg(lateMinutes);
        return line;
    }
};

} // namespace orvane
