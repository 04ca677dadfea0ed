// The window of missed alarms.
#include "alarm/MissedAlarmsWindow.h"

#include "platform/WidgetPlace.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace orvane {

MissedAlarmsWindow::MissedAlarmsWindow(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("MissedAlarmsWindow"));
    setWindowTitle(QStringLiteral(" 错过的闹钟"));
    setFixedSize(320, 220);
    place(new QLabel(QStringLiteral("这些闹钟迟到太久，没有响铃："), this), "标签1", 10, 8, 300, 20);
    list_ = place(new QListWidget(this), "列表_错过的闹钟", 10, 32, 300, 144);
    auto* close = place(new QPushButton(QStringLiteral("关闭"), this), "按钮_关闭", 246, 184, 64, 26);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

QString MissedAlarmsWindow::line(const FiredAlarm& alarm) {
    return dueText(alarm.minute) + QStringLiteral("  ") + alarm.alarm.reminder;
}

void MissedAlarmsWindow::add(const QList<FiredAlarm>& alarms) {
    for (const FiredAlarm& alarm : alarms)
        list_->addItem(line(alarm));
    list_->scrollToBottom();
    show();
    raise();
}

} // namespace orvane
