// Report-style diary lists: creation with their columns, and the full reload from the table.
#include "diary/DiaryLists.h"

#include "diary/DiaryStore.h"
#include "platform/ReportList.h"

#include <QTreeWidget>

namespace orvane {

DiaryLists createDiaryLists(QWidget* page) {
    DiaryLists lists;
    lists.shown = makeReportList(page, QStringLiteral("超级列表框_记事本"),
                                 {QStringLiteral("编号"), QStringLiteral("记事本内容(双击修改)")}, {50, 300});
    // The page has no buttons: the list takes its whole height below the tab row.
    lists.shown->setGeometry(3, 26, 367, 215);
    QFont font = lists.shown->font();
    font.setFamilies({QStringLiteral("宋体")});
    lists.shown->setFont(font);
    lists.shown->setAccessibleName(QStringLiteral("日记本"));

    lists.keys = makeHiddenList(page, QStringLiteral("超级列表框_编号日记本"), {QStringLiteral("编号")});
    lists.keys->setColumnWidth(0, 50);
    return lists;
}

void LoadDiaryList(Database& db, const DiaryLists& lists) {
    const std::vector<DiaryEntry> entries = readDiaryEntries(db);
    lists.shown->clear();
    lists.keys->clear();
    QList<QTreeWidgetItem*> shown, keys;
    int n = 0;
    for (const DiaryEntry& entry : entries) {
        const DiaryListRow row = diaryListRow(++n, entry);
        shown << new QTreeWidgetItem(QStringList{row.number, row.text});
        keys << new QTreeWidgetItem(QStringList{row.key});
    }
    // One call per list: one layout pass instead of one per row.
    lists.shown->addTopLevelItems(shown);
    lists.keys->addTopLevelItems(keys);
}

} // namespace orvane
