// Program-wide values shared between the windows, owned by the main window.
#pragma once

#include <QString>

namespace orvane {

struct AppState {
    QString todayWeekdayChar; // "一" … "六", "日": renewed when the date changes
    int firedRow = -1;        // the list row of the alarm that fired last

    // The alarm editor: 0 none, 1 modify, 2 add; the record under modification (modify only).
    int alarmEditorMode = 0;
    QString pendingAlarmNumber, pendingAlarmTime, pendingAlarmRing, pendingAlarmPrompt;
};

} // namespace orvane
