// The commands on the alarm list: add, modify (double-click), delete, and the context menu "我的闹钟"
// (which also cancels a put-off ring).
#pragma once

#include "alarm/AlarmLists.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QPoint;

namespace orvane {

class AlarmEditorWindow;
class AlarmEngine;
class AlarmPage;
class Dialogs;

// Every command that changes an alarm first passes the gate (the account password, asked while
// protection is on); the gate is passed in so that the alarm engine does not depend on the protection.
class AlarmListCommands : public QObject {
    Q_OBJECT
public:
    using Gate = std::function<bool()>;
    using EditorSource = std::function<AlarmEditorWindow*()>; // the single editor, made at first use

    AlarmListCommands(AlarmEngine& engine, const AlarmLists& lists, Dialogs& dialogs, Gate gate,
                      EditorSource editor, QObject* parent = nullptr);

    // Binds 按钮19, 按钮17, a double-click anywhere on the shown list and its right-click menu.
    void connectTo(const AlarmPage& page);

    // Refused: silent.
    void OpenAlarmForAdd();
    // Refused: a message. No selected row: silent. Otherwise the row's alarm opens in the editor.
    void OpenAlarmForEdit();
    // Refused: a message. No selected row: a message. Otherwise deletes the row's alarm (no question).
    void DeleteAlarm();
    // "取消稍后提醒": the selected alarm's put-off ring rings no more.
    void CancelPutOff();
    // "跳过下次" and "恢复": the selected alarm's next ring is skipped, or brought back.
    void SkipNext();
    void RestoreSkipped();
    // pos in the shown list's viewport; the menu pops up only over an item.
    void ShowAlarmMenu(const QPoint& pos);

    QMenu* alarmMenu() const { return menu_; }

    static QString deleteFailedText() { return QStringLiteral("删除闹钟失败，请检查！"); }
    static QString skippedLastText() { return QStringLiteral("这个闹钟只响这一次，跳过后不会再响铃"); }
    static QString nothingToSkipText() { return QStringLiteral("这个闹钟不会再响铃，没有可跳过的"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Alarm* selected() const;

    AlarmEngine& engine_;
    AlarmLists lists_;
    Dialogs& dialogs_;
    Gate gate_;
    EditorSource editor_;
    QMenu* menu_;
    QAction* cancelPutOff_;
    QAction* skipNext_;
    QAction* restoreSkipped_;
    QObject* viewport_ = nullptr; // the shown list's viewport, watched for double-clicks
};

} // namespace orvane
