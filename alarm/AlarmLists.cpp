// Report-style alarm lists: creation with their columns, and the full reload from the table.
#include "alarm/AlarmLists.h"

#include "alarm/AlarmTable.h"
#include "platform/ReportList.h"

#include <QTreeWidget>

namespace orvane {

AlarmLists createAlarmLists(QWidget* page, QWidget* window) {
    AlarmLists lists;
    lists.shown = makeReportList(page, QStringLiteral("超级列表框_我的闹钟"),
                                 {QStringLiteral("编号"), QStringLiteral("闹钟时间"),
                                  QStringLiteral("闹钟事件(双击修改)"), QStringLiteral("工作日期")},
                                 {40, 160, 140, 70});
    lists.shown->setGeometry(3, 26, 367, 189);
    lists.shown->setAccessibleName(QStringLiteral("我的闹钟"));
    lists.flags = makeHiddenList(window, QStringLiteral("超级列表框_是否提醒"),
                                 {QStringLiteral("提醒类型"), QStringLiteral("是否铃声"),
                                  QStringLiteral("是否弹窗"), QStringLiteral("铃声位置")});
    lists.keys = makeHiddenList(page, QStringLiteral("超级列表框_编号"), {QStringLiteral("编号")});
    return lists;
}

void LoadAlarmList(Database& db, const AlarmLists& lists) {
    lists.shown->clear();
    lists.flags->clear();
    lists.keys->clear();

    QList<QTreeWidgetItem*> shown, flags, keys;
    int n = 0;
    for (const AlarmRecord& record : readAlarmRecords(db)) {
        const AlarmListRow row = alarmListRow(++n, record);
        shown << new QTreeWidgetItem(
            QStringList{row.number, row.dueText, row.reminderText, row.weekdayColumn});
        flags << new QTreeWidgetItem(QStringList{row.repeatRule, row.ringFlag, row.popupFlag, row.ringPath});
        keys << new QTreeWidgetItem(QStringList{row.key});
    }
    // Added in one call per list: one layout pass instead of one per row.
    lists.shown->addTopLevelItems(shown);
    lists.flags->addTopLevelItems(flags);
    lists.keys->addTopLevelItems(keys);
}

} // namespace orvane
