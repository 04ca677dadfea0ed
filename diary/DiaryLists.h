// The two row-aligned diary lists of the page "日记本" and their loader.
#pragma once

#include "common/Database.h"

class QTreeWidget;
class QWidget;

namespace orvane {

struct DiaryLists {
    QTreeWidget* shown = nullptr; // 超级列表框_记事本: 编号 (the row's position), 记事本内容(双击修改)
    QTreeWidget* keys = nullptr; // 超级列表框_编号日记本 (hidden): 编号 (the database key)
};

// Builds both lists on the page, in the tab control's coordinates (below the tab row).
DiaryLists createDiaryLists(QWidget* page);

// Refills both lists from "记事本" in the query's order; the selection is lost.
void LoadDiaryList(Database& db, const DiaryLists& lists);

} // namespace orvane
