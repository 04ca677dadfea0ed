// The reminder window's layout and its fill from the alarm it was given.
#include "alarm/ReminderWindow.h"

#include "alarm/FiredAlarm.h"
#include "platform/WidgetPlace.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace orvane {

namespace {

void label(QWidget* parent, const char* name, int top, const QString& text) {
    place(new QLabel(text, parent), name, 15, top, 280, 22);
}

} // namespace

ReminderWindow::ReminderWindow(const FiredAlarm& alarm, const QString& soundLine)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("ReminderWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" 设定时间到"));
    // A dialog of one size, like the editor and the password window: tiling desktops float it at that
    // size instead of giving it half the screen with its labels in a corner.
    setGeometry(50, 50, 302, 146);
    setFixedSize(size());
    label(this, "标签1", 2, alarm.dueLine());
    label(this, "标签2", 32, alarm.alarm.reminder);
    label(this, "标签3", 62, soundLine);
    auto* snooze = new QPushButton(QStringLiteral("稍后提醒"), this);
    snooze->setObjectName(QStringLiteral("按钮3"));
    snooze->setGeometry(64, 88, 64, 24);
    connect(snooze, &QPushButton::clicked, this, &ReminderWindow::snoozeRequested);
    auto* stop = new QPushButton(QStringLiteral("停止播放"), this);
    stop->setObjectName(QStringLiteral("按钮2"));
    stop->setGeometry(144, 88, 64, 24);
    connect(stop, &QPushButton::clicked, this, &ReminderWindow::stopRequested);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("按钮1"));
    close->setGeometry(224, 88, 64, 24);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void ReminderWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace orvane
