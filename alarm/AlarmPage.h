// The "我的闹钟" page: the alarm lists and the row of four buttons under them.
#pragma once

#include "alarm/AlarmLists.h"

#include <QObject>

class QPushButton;
class QWidget;

namespace orvane {

class AlarmEngine;

// Places its controls on the given page (the hidden flag list on the window); owned by the page.
class AlarmPage : public QObject {
    Q_OBJECT
public:
    AlarmPage(QWidget* page, QWidget* window, AlarmEngine& engine);
    const AlarmLists& lists() const { return lists_; }
    QPushButton* lockButton() const { return lockButton_; }       // 挂机
    QPushButton* addButton() const { return addButton_; }         // 添加闹钟
    QPushButton* deleteButton() const { return deleteButton_; }   // 删除闹钟
    QPushButton* weatherButton() const { return weatherButton_; } // 天气预报

private:
    AlarmLists lists_;
    QPushButton* lockButton_;
    QPushButton* addButton_;
    QPushButton* deleteButton_;
    QPushButton* weatherButton_;
};

} // namespace orvane
