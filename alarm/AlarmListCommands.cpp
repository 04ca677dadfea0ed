// Add, modify and delete on the alarm list behind the password gate; the list's context menu.
#include "alarm/AlarmListCommands.h"

#include "alarm/AlarmEditorWindow.h"
#include "alarm/AlarmModel.h"
#include "alarm/AlarmPage.h"
#include "alarm/AlarmTable.h"
#include "platform/Dialogs.h"
#include "protect/PasswordRecord.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

namespace orvane {

AlarmListCommands::AlarmListCommands(AlarmModel& model, const AlarmLists& lists, Dialogs& dialogs, Gate gate,
                                     EditorSource editor, QObject* parent)
    : QObject(parent), model_(model), lists_(lists), dialogs_(dialogs), gate_(std::move(gate)),
      editor_(std::move(editor)), menu_(new QMenu(QStringLiteral("我的闹钟"), lists.shown)) {
    menu_->setObjectName(QStringLiteral("我的闹钟"));
    connect(menu_->addAction(QStringLiteral("添加闹钟")), &QAction::triggered, this,
            &AlarmListCommands::OpenAlarmForAdd);
    connect(menu_->addAction(QStringLiteral("删除闹钟")), &QAction::triggered, this,
            &AlarmListCommands::DeleteAlarm);
}

void AlarmListCommands::connectTo(const AlarmPage& page) {
    connect(page.addButton(), &QPushButton::clicked, this, &AlarmListCommands::OpenAlarmForAdd);
    connect(page.deleteButton(), &QPushButton::clicked, this, &AlarmListCommands::DeleteAlarm);
    // The view's own double-click signal only comes over an item; the command also runs (and asks for
    // the password) on an empty part of the list.
    viewport_ = lists_.shown->viewport();
    viewport_->installEventFilter(this);
    lists_.shown->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lists_.shown, &QWidget::customContextMenuRequested, this, &AlarmListCommands::ShowAlarmMenu);
}

bool AlarmListCommands::eventFilter(QObject* watched, QEvent* event) {
    // Only the stored pointer is compared: events also come while the list is being destroyed.
    if (watched == viewport_ && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        OpenAlarmForEdit();
    return QObject::eventFilter(watched, event);
}

int AlarmListCommands::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = lists_.shown->selectedItems();
    return selected.isEmpty() ? -1 : lists_.shown->indexOfTopLevelItem(selected.first());
}

QString AlarmListCommands::keyOfRow(int row) const {
    // The hidden key list is rebuilt with the shown one, row for row.
    return lists_.keys->text(row, 0);
}

void AlarmListCommands::OpenAlarmForAdd() {
    if (!gate_())
        return;
    editor_()->openForAdd();
}

void AlarmListCommands::OpenAlarmForEdit() {
    if (!gate_()) {
        dialogs_.message(passwordtext::wrongCredentials());
        return;
    }
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString key = keyOfRow(row);
    const std::optional<AlarmRecord> record = model_.read(keyParameter(key));
    if (!record) {
        // The row was deleted behind the list's back: show the table as it is instead of an editor
        // whose save could only fail.
        model_.LoadAlarmList();
        return;
    }
    editor_()->openForEdit(key, record->dueField, record->ringField, record->promptField);
}

void AlarmListCommands::DeleteAlarm() {
    if (!gate_()) {
        dialogs_.message(passwordtext::wrongCredentials());
        return;
    }
    const int row = selectedRow();
    if (row < 0) {
        dialogs_.message(QStringLiteral("请选择要删除的闹钟"));
        return;
    }
    // A refused statement leaves the row; the reload then shows it again. A key that is no integer
    // matches no row.
    const QVariant key = keyParameter(keyOfRow(row));
    model_.remove(key.typeId() == QMetaType::LongLong ? QList<qint64>{key.toLongLong()} : QList<qint64>{});
}

void AlarmListCommands::ShowAlarmMenu(const QPoint& pos) {
    if (lists_.shown->itemAt(pos) == nullptr)
        return;
    menu_->popup(lists_.shown->viewport()->mapToGlobal(pos));
}

} // namespace orvane
