// " 错过的闹钟": the alarms that were later than "迟到多久仍响铃" allows (the machine slept through them),
// listed with their due time in one window instead of ringing one after another.
#pragma once

#include "alarm/FiredAlarm.h"

#include <QWidget>

class QListWidget;

namespace orvane {

class MissedAlarmsWindow : public QWidget {
    Q_OBJECT
public:
    explicit MissedAlarmsWindow(QWidget* parent = nullptr);
    // Adds the alarms to the list (the newest at the end) and shows the window.
    void add(const QList<FiredAlarm>& alarms);
    // "2026年12月9日08时30分  开会".
    static QString line(const FiredAlarm& alarm);

private:
    QListWidget* list_;
};

} // namespace orvane
