// The commands on the alarm list: add, modify (double-click), delete, and the context menu "我的闹钟".
#pragma once

#include "alarm/AlarmLists.h"

#include <QObject>

#include <functional>

class QMenu;
class QPoint;

namespace orvane {

class AlarmEditorWindow;
class AlarmModel;
class AlarmPage;
class Dialogs;

// Every command first passes the gate (the account password, asked while protection is on); the gate is
// passed in so that the alarm engine does not depend on the protection.
class AlarmListCommands : public QObject {
    Q_OBJECT
public:
    using Gate = std::function<bool()>;
    using EditorSource = std::function<AlarmEditorWindow*()>; // the single editor, made at first use

    AlarmListCommands(AlarmModel& model, const AlarmLists& lists, Dialogs& dialogs, Gate gate,
                      EditorSource editor, QObject* parent = nullptr);

    // Binds 按钮19, 按钮17, a double-click anywhere on the shown list and its right-click menu.
    void connectTo(const AlarmPage& page);

    // Refused: silent.
    void OpenAlarmForAdd();
    // Refused: a message. No selected row: silent. Otherwise the row's stored texts open in the editor.
    void OpenAlarmForEdit();
    // Refused: a message. No selected row: a message. Otherwise deletes the row's alarm (no question).
    void DeleteAlarm();
    // pos in the shown list's viewport; the menu pops up only over an item.
    void ShowAlarmMenu(const QPoint& pos);

    QMenu* alarmMenu() const { return menu_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int selectedRow() const; // -1 when none
    QString keyOfRow(int row) const;

    AlarmModel& model_;
    AlarmLists lists_;
    Dialogs& dialogs_;
    Gate gate_;
    EditorSource editor_;
    QMenu* menu_;
    QObject* viewport_ = nullptr; // the shown list's viewport, watched for double-clicks
};

} // namespace orvane
