// The alarm editor window " 添加闹钟": adds a new alarm or modifies one, and writes it to "配置".
#pragma once

#include "alarm/AlarmRecord.h"

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane {

class AlarmEngine;
class DateBox;
struct Alarm;
class Clock;
class Dialogs;

// One non-modal top-level window, reused for every opening: an opening resets every control to the
// layout content, so nothing of an earlier alarm is carried over, and brings the window to the front.
class AlarmEditorWindow : public QWidget {
    Q_OBJECT
public:
    enum class Mode { None, Modify, Add };

    AlarmEditorWindow(AlarmEngine& engine, Dialogs& dialogs, const Clock& clock, QWidget* parent = nullptr);

    // Add mode: the layout content, then the presets one minute from now.
    void openForAdd();
    // Modify mode: keeps the alarm under modification (its key and stored texts), then fills the controls.
    void openForEdit(const Alarm& alarm);

    // The modify fill from the pending texts; does nothing unless in modify mode.
    void AlarmEditorCreated();
    void ChooseRingFile();
    // Checks hour, minute and rule, then inserts (add) or updates (modify) the row; on success the
    // model reloads and the editor stays open with its contents and mode.
    void SaveAlarm();
    void CloseAlarmEditor();

    Mode mode() const { return mode_; }
    qint64 pendingAlarmNumber() const { return pendingAlarmNumber_; }

private:
    void buildControls();
    void applyLayoutContent();
    void showInFront();
    // Marks and focuses the box; the save goes no further.
    void refuse(QWidget* box, const QString& reason);
    // A chooser item picked in the rule box: the chooser opens under it, the box keeps its rule meanwhile.
    void ruleItemPicked(int index);

    AlarmEngine& engine_;
    Dialogs& dialogs_;
    const Clock& clock_;
    // What the opener asked for, kept for the save: the mode and the alarm under modification.
    Mode mode_ = Mode::None;
    qint64 pendingAlarmNumber_ = 0;
    AlarmTexts pendingAlarmTexts_;

    DateBox* dateEdit_;
    QComboBox* hourBox_;
    QComboBox* minuteBox_;
    QComboBox* ruleBox_;
    QLabel* ruleHint_;
    QString ruleShown_; // the rule box's last text that was no chooser item
    QCheckBox* ringBox_;
    QLineEdit* ringFileEdit_;
    QCheckBox* popupBox_;
    QPlainTextEdit* reminderEdit_;
    QPushButton* saveButton_;
};

} // namespace orvane
