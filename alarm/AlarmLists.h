// The three row-aligned alarm lists of the main window: views of the alarm model.
#pragma once

#include "alarm/HiddenList.h"

class QTreeWidget;
class QWidget;

namespace orvane {

class AlarmModel;
class Clock;

struct AlarmLists {
    QTreeWidget* shown = nullptr; // 超级列表框_我的闹钟: 编号, 闹钟时间, 闹钟事件(双击修改), 工作日期
    HiddenList* flags = nullptr; // 超级列表框_是否提醒 (hidden): 提醒类型, 是否铃声, 是否弹窗, 铃声位置
    HiddenList* keys = nullptr; // 超级列表框_编号 (hidden): 编号
};

// Builds the shown list and the hidden key list on the alarm page, the hidden flag list on the window;
// all three are rebuilt from the model at each of its loads (the selection is lost). A shown row's
// tooltip tells when it rings next, by the clock.
AlarmLists createAlarmLists(QWidget* page, QWidget* window, AlarmModel& model, const Clock& clock);

} // namespace orvane
