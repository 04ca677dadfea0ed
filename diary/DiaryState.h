// The diary editor's state, shared by the diary page's commands and the editor; it outlives the editor.
#pragma once

#include <QString>

namespace orvane {

struct DiaryState {
    static constexpr int kAdd = 1;  // opened by "添加日记"
    static constexpr int kEdit = 2; // opened by a double-click on an entry

    int DiaryEditorMode = 0;
    QString pendingEntryNumber; // the key of the entry last opened by double-click; empty before
    QString pendingEntryText;   // its text as the list showed it
};

} // namespace orvane
