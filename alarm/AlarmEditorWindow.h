// The alarm editor window " 添加闹钟": adds a new alarm or modifies one, and writes it to "配置".
#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane {

class AlarmModel;
class Clock;
class Dialogs;

// One non-modal top-level window, reused for every opening: an opening resets every control to the
// layout content, so nothing of an earlier alarm is carried over, and brings the window to the front.
class AlarmEditorWindow : public QWidget {
    Q_OBJECT
public:
    enum class Mode { None, Modify, Add };

    AlarmEditorWindow(AlarmModel& model, Dialogs& dialogs, const Clock& clock, QWidget* parent = nullptr);

    // Add mode: the layout content, then the presets one minute from now.
    void openForAdd();
    // Modify mode: keeps the record under modification, then fills the controls.
    void openForEdit(const QString& key, const QString& time, const QString& ring, const QString& prompt);

    // The modify fill from the pending texts; does nothing unless in modify mode.
    void AlarmEditorCreated();
    void ChooseRingFile();
    // Checks hour, minute and rule, then inserts (add) or updates (modify) the row; on success the
    // model reloads and the editor stays open with its contents and mode.
    void SaveAlarm();
    void CloseAlarmEditor();

    Mode mode() const { return mode_; }
    QString pendingAlarmNumber() const { return pendingAlarmNumber_; }

private:
    void buildControls();
    void applyLayoutContent();
    void showInFront();

    AlarmModel& model_;
    Dialogs& dialogs_;
    const Clock& clock_;
    // What the opener asked for, kept for the save: the mode and the record under modification.
    Mode mode_ = Mode::None;
    QString pendingAlarmNumber_, pendingAlarmTime_, pendingAlarmRing_, pendingAlarmPrompt_;

    QGroupBox* 分组框1;
    QDateEdit* 日期框1;
    QComboBox* 组合框_时;
    QComboBox* 组合框_分;
    QComboBox* 组合框_提醒工作日;
    QGroupBox* 分组框2;
    QCheckBox* 选择框_铃声;
    QLineEdit* 编辑框_铃声路径;
    QPushButton* 按钮_路径选择;
    QGroupBox* 分组框3;
    QCheckBox* 选择框_弹窗;
    QPlainTextEdit* 编辑框_弹窗内容;
    QPushButton* 按钮_添加;
    QPushButton* 按钮_取消;
};

} // namespace orvane
