// The three row-aligned alarm lists of the main window and their loader.
#pragma once

#include "alarm/HiddenList.h"
#include "common/Database.h"

class QTreeWidget;
class QWidget;

namespace orvane {

struct AlarmLists {
    QTreeWidget* shown = nullptr; // 超级列表框_我的闹钟: 编号, 闹钟时间, 闹钟事件(双击修改), 工作日期
    HiddenList* flags = nullptr; // 超级列表框_是否提醒 (hidden): 提醒类型, 是否铃声, 是否弹窗, 铃声位置
    HiddenList* keys = nullptr; // 超级列表框_编号 (hidden): 编号
};

// Builds the shown list and the hidden key list on the alarm page, the hidden flag list on the window.
// The hidden lists are never drawn, so they hold their texts without any widget.
AlarmLists createAlarmLists(QWidget* page, QWidget* window);

// Rebuilds the three lists from the table "配置"; the selection is lost.
void LoadAlarmList(Database& db, const AlarmLists& lists);

} // namespace orvane
