// Placing a control: its object name (the name tests and layout tables know it by) and its geometry.
#pragma once

#include <QRect>
#include <QString>

namespace orvane {

template <typename W> W* place(W* widget, const char* name, const QRect& where) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(where);
    return widget;
}

template <typename W> W* place(W* widget, const char* name, int x, int y, int w, int h) {
    return place(widget, name, QRect(x, y, w, h));
}

} // namespace orvane
