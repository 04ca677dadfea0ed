// The alarm editor window " 添加闹钟": adds a new alarm or modifies one, and writes it to "配置".
#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane {

class AlarmModel;
class DateBox;
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
    // Marks and focuses the box; the save goes no further.
    void refuse(QWidget* box, const QString& reason);

    AlarmModel& model_;
    Dialogs& dialogs_;
    const Clock& clock_;
    // What the opener asked for, kept for the save: the mode and the record under modification.
    Mode mode_ = Mode::None;
    QString pendingAlarmNumber_, pendingAlarmTime_, pendingAlarmRing_, pendingAlarmPrompt_;

    DateBox* dateEdit_;
    QComboBox* hourBox_;
    QComboBox* minuteBox_;
    QComboBox* ruleBox_;
    QCheckBox* ringBox_;
    QLineEdit* ringFileEdit_;
    QCheckBox* popupBox_;
    QPlainTextEdit* reminderEdit_;
    QPushButton* saveButton_;
};

} // namespace orvane
