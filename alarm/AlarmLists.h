// The three row-aligned alarm lists of the main window: views of the alarm model.
#pragma once

#include "alarm/HiddenList.h"

#include <functional>

class QTreeWidget;
class QWidget;

namespace orvane {

struct AlarmLists {
    QTreeWidget* shown = nullptr; // 超级列表框_我的闹钟: 编号, 闹钟时间, 闹钟事件(双击修改), 工作日期
    HiddenList* flags = nullptr; // 超级列表框_是否提醒 (hidden): 提醒类型, 是否铃声, 是否弹窗, 铃声位置
    HiddenList* keys = nullptr; // 超级列表框_编号 (hidden): 编号
};

// What a shown row's tooltip says of its alarm (when it rings next, a put-off ring), worked out when the
// tooltip is asked for.
using AlarmToolTip = std::function<QString(const Alarm&)>;

// Builds the shown list and the hidden key list on the alarm page, the hidden flag list on the window.
// The shown list follows the model row by row, so its selection and scroll position stay through each
// add, change and delete; a load of the whole table rebuilds it.
AlarmLists createAlarmLists(QWidget* page, QWidget* window, const AlarmModel& model, AlarmToolTip toolTip);

// The alarm of the shown list's selected row; none when no row is selected.
const Alarm* selectedAlarm(const AlarmLists& lists, const AlarmModel& model);

} // namespace orvane
