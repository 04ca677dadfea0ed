// Add, modify and delete on the alarm list behind the password gate; the list's context menu.
#include "alarm/AlarmListCommands.h"

#include "alarm/AlarmEditorWindow.h"
#include "alarm/AlarmEngine.h"
#include "alarm/AlarmPage.h"
#include "platform/Dialogs.h"
#include "protect/PasswordRecord.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

namespace orvane {

AlarmListCommands::AlarmListCommands(AlarmEngine& engine, const AlarmLists& lists, Dialogs& dialogs,
                                     Gate gate, EditorSource editor, QObject* parent)
    : QObject(parent), engine_(engine), lists_(lists), dialogs_(dialogs), gate_(std::move(gate)),
      editor_(std::move(editor)), menu_(new QMenu(QStringLiteral("我的闹钟"), lists.shown)) {
    menu_->setObjectName(QStringLiteral("我的闹钟"));
    connect(menu_->addAction(QStringLiteral("添加闹钟")), &QAction::triggered, this,
            &AlarmListCommands::OpenAlarmForAdd);
    connect(menu_->addAction(QStringLiteral("删除闹钟")), &QAction::triggered, this,
            &AlarmListCommands::DeleteAlarm);
    cancelPutOff_ = menu_->addAction(QStringLiteral("取消稍后提醒"));
    connect(cancelPutOff_, &QAction::triggered, this, &AlarmListCommands::CancelPutOff);
    skipNext_ = menu_->addAction(QStringLiteral("跳过下次"));
    connect(skipNext_, &QAction::triggered, this, &AlarmListCommands::SkipNext);
    restoreSkipped_ = menu_->addAction(QStringLiteral("恢复"));
    connect(restoreSkipped_, &QAction::triggered, this, &AlarmListCommands::RestoreSkipped);
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

const Alarm* AlarmListCommands::selected() const {
    return selectedAlarm(lists_, engine_.model());
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
    if (const Alarm* alarm = selected())
        editor_()->openForEdit(*alarm);
}

void AlarmListCommands::DeleteAlarm() {
    if (!gate_()) {
        dialogs_.message(passwordtext::wrongCredentials());
        return;
    }
    const Alarm* alarm = selected();
    if (alarm == nullptr) {
        dialogs_.message(QStringLiteral("请选择要删除的闹钟"));
        return;
    }
    // A refused delete leaves the row, and says so: the alarm is still there and still rings.
    if (!engine_.remove(alarm->key))
        dialogs_.errorMessage(deleteFailedText());
}

void AlarmListCommands::CancelPutOff() {
    if (const Alarm* alarm = selected())
        engine_.cancelPutOff(alarm->key);
}

void AlarmListCommands::SkipNext() {
    const Alarm* alarm = selected();
    if (alarm == nullptr)
        return;
    const qint64 key = alarm->key;
    if (!engine_.skipNext(key)) {
        dialogs_.message(nothingToSkipText());
        return;
    }
    // A 仅一次 alarm, or any whose skipped ring was its last: it says so.
    if (const Alarm* now = engine_.model().find(key);
        now && !engine_.nextRingOf(*now, *engine_.skippedMinute(key)))
        dialogs_.message(skippedLastText());
}

void AlarmListCommands::RestoreSkipped() {
    if (const Alarm* alarm = selected())
        engine_.restoreSkipped(alarm->key);
}

void AlarmListCommands::ShowAlarmMenu(const QPoint& pos) {
    if (lists_.shown->itemAt(pos) == nullptr)
        return;
    // The right click selects the row it is on; its put-off ring, if one waits, can be cancelled.
    lists_.shown->setCurrentItem(lists_.shown->itemAt(pos));
    const Alarm* alarm = selected();
    const std::optional<qint64> putOff = alarm ? engine_.putOffMinute(alarm->key) : std::nullopt;
    cancelPutOff_->setVisible(putOff.has_value());
    if (putOff)
        cancelPutOff_->setText(QStringLiteral("取消稍后提醒（") +
                               dateTimeOfMinute(*putOff).toString(u"HH:mm") + u'）');
    const bool skipped = alarm && engine_.skippedMinute(alarm->key);
    skipNext_->setVisible(alarm && !skipped);
    restoreSkipped_->setVisible(skipped);
    menu_->popup(lists_.shown->viewport()->mapToGlobal(pos));
}

} // namespace orvane
