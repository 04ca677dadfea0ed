// Shows the reminder of each alarm the ringer hands over, and tells the ringer when it is done.
#pragma once

#include "alarm/ReminderWindow.h"

#include <QObject>
#include <QPointer>

namespace orvane {

class AlarmRinger;

class ReminderPresenter : public QObject {
    Q_OBJECT
public:
    explicit ReminderPresenter(AlarmRinger& ringer, QObject* parent = nullptr);
    ~ReminderPresenter() override;

    ReminderWindow* window() const { return window_; } // the reminder on screen, if any

private:
    AlarmRinger& ringer_;
    QPointer<ReminderWindow> window_;
};

} // namespace orvane
