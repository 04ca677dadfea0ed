// Add, modify and delete on the alarm list behind the password gate; the list's context menu.
#include "alarm/AlarmListCommands.h"

#include "alarm/AlarmEditorWindow.h"
#include "alarm/AlarmPage.h"
#include "alarm/AlarmTable.h"
#include "common/Database.h"
#include "platform/Dialogs.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

namespace orvane {

namespace {

QString wrongCredentials() {
    return QStringLiteral("帐号密码错误，请检查！");
}

// Keys are integers; a key text that is not one is bound as it stands and matches nothing.
QVariant keyParameter(const QString& key) {
    bool numeric = false;
    const qint64 value = key.toLongLong(&numeric);
    return numeric ? QVariant(value) : QVariant(key);
}

} // namespace

AlarmListCommands::AlarmListCommands(Database& db, const AlarmLists& lists, Dialogs& dialogs, Gate gate,
                                     EditorSource editor, QObject* parent)
    : QObject(parent), db_(db), lists_(lists), dialogs_(dialogs), gate_(std::move(gate)),
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
        dialogs_.message(wrongCredentials());
        return;
    }
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString key = keyOfRow(row);
    RecordSet rs = db_.query(alarmsql::selectByKey(), {keyParameter(key)});
    const bool found = rs.first();
    const QString time = rs.text(QStringLiteral("提醒时间"));
    const QString ring = rs.text(QStringLiteral("铃声位置"));
    const QString prompt = rs.text(QStringLiteral("提示文本"));
    rs.close();
    if (!found) {
        // The row was deleted behind the list's back: show the table as it is instead of an editor
        // whose save could only fail.
        LoadAlarmList(db_, lists_);
        return;
    }
    editor_()->openForEdit(key, time, ring, prompt);
}

void AlarmListCommands::DeleteAlarm() {
    if (!gate_()) {
        dialogs_.message(wrongCredentials());
        return;
    }
    const int row = selectedRow();
    if (row < 0) {
        dialogs_.message(QStringLiteral("请选择要删除的闹钟"));
        return;
    }
    // A refused statement leaves the row; the reload then shows it again.
    db_.execute(alarmsql::deleteByKey(), {keyParameter(keyOfRow(row))});
    LoadAlarmList(db_, lists_);
}

void AlarmListCommands::ShowAlarmMenu(const QPoint& pos) {
    if (lists_.shown->itemAt(pos) == nullptr)
        return;
    menu_->popup(lists_.shown->viewport()->mapToGlobal(pos));
}

} // namespace orvane
