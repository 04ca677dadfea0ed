// The "我的闹钟" page: the alarm lists and the row of four buttons under them.
#pragma once

#include "alarm/AlarmLists.h"

#include <QObject>

class QPushButton;
class QWidget;

namespace orvane {

class AlarmModel;
class Clock;

// Places its controls on the given page (the hidden flag list on the window); owned by the page.
class AlarmPage : public QObject {
    Q_OBJECT
public:
    AlarmPage(QWidget* page, QWidget* window, AlarmModel& model, const Clock& clock);
    const AlarmLists& lists() const { return lists_; }
    QPushButton* lockButton() const { return 按钮18; }    // 挂机
    QPushButton* addButton() const { return 按钮19; }     // 添加闹钟
    QPushButton* deleteButton() const { return 按钮17; }  // 删除闹钟
    QPushButton* weatherButton() const { return 按钮13; } // 天气预报

private:
    AlarmLists lists_;
    QPushButton* 按钮18;
    QPushButton* 按钮19;
    QPushButton* 按钮17;
    QPushButton* 按钮13;
};

} // namespace orvane
