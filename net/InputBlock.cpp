// Input events meant for the blocked window or any of its controls are dropped before they arrive.
#include "net/InputBlock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace orvane {

InputBlock::InputBlock(QWidget* window) : QObject(window), window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool InputBlock::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
        break;
    default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && window_ != nullptr && widget->window() == window_;
}

} // namespace orvane
