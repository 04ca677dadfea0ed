// Windows that have no caption of their own.
#pragma once

#include <QWidget>

namespace orvane {

// A blank caption: given an empty title, Qt shows the program's name in the title bar and the task list
// instead; a single space shows nothing.
inline QString noCaption() {
    return QStringLiteral(" ");
}

inline void showNoCaption(QWidget* window) {
    window->setWindowTitle(noCaption());
}

} // namespace orvane
