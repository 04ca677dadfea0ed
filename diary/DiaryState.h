// The diary editor's state, shared by the diary page's commands and the editor; it outlives the editor.
#pragma once

#include <QString>

namespace orvane {

struct DiaryState {
    enum class Mode {
        None,
        Add,  // opened by "添加日记"
        Edit, // opened by a double-click on the list
    };

    Mode DiaryEditorMode = Mode::None;
    QString pendingEntryNumber; // the key of the entry last opened by double-click; empty before
    QString pendingEntryText;   // its text as the list showed it
};

} // namespace orvane
