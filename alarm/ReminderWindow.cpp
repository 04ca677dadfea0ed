// The reminder window's layout, its fill from the fired row, and stopping the ring on every way out.
#include "alarm/ReminderWindow.h"

#include "alarm/AlarmLists.h"
#include "platform/SoundPlayer.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace orvane {

namespace {

QLabel* label(QWidget* parent, const char* name, int top) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setGeometry(15, top, 280, 22);
    return l;
}

QString cell(QTreeWidget* list, int row, int column) {
    QTreeWidgetItem* item = row >= 0 ? list->topLevelItem(row) : nullptr;
    return item ? item->text(column) : QString();
}

} // namespace

ReminderWindow::ReminderWindow(const AlarmLists& lists, int firedRow, SoundPlayer& sound)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint), sound_(sound) {
    setObjectName(QStringLiteral("ReminderWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" 设定时间到"));
    setGeometry(50, 50, 302, 146);
    标签1 = label(this, "标签1", 2);
    标签2 = label(this, "标签2", 32);
    标签3 = label(this, "标签3", 62);
    auto* stop = new QPushButton(QStringLiteral("停止播放"), this);
    stop->setObjectName(QStringLiteral("按钮2"));
    stop->setGeometry(144, 88, 64, 24);
    connect(stop, &QPushButton::clicked, this, &ReminderWindow::StopRing);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("按钮1"));
    close->setGeometry(224, 88, 64, 24);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    ShowReminder(lists, firedRow);
}

ReminderWindow::~ReminderWindow() {
    sound_.stop();
}

void ReminderWindow::ShowReminder(const AlarmLists& lists, int firedRow) {
    // A row the list no longer has (rebuilt smaller meanwhile) gives empty labels.
    标签1->setText(cell(lists.shown, firedRow, 1));
    标签2->setText(cell(lists.shown, firedRow, 2));
    标签3->setText(lists.flags->text(firedRow, 3));
}

void ReminderWindow::StopRing() {
    sound_.stop();
}

void ReminderWindow::closeEvent(QCloseEvent* event) {
    // Any way of closing (button, close box, Alt+F4) silences the ring.
    sound_.stop();
    event->accept();
}

} // namespace orvane
