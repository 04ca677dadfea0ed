// The click handler of 选择框_密码修改: switches the account password on, changes it, or switches it off.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class QCheckBox;

namespace orvane {

class Dialogs;
class PasswordWindow;
class Registry;

// Handles the clicks of the given box (it connects itself); owned by the box.
class PasswordToggle : public QObject {
    Q_OBJECT
public:
    PasswordToggle(QCheckBox* box, Registry& registry, Dialogs& dialogs);

    // Reads the box's state after the click. Ticking opens PasswordWindow (after the old credentials when
    // a record exists) and always leaves the box ticked; unticking deletes the record on the right
    // credentials and ticks the box again on wrong ones.
    void ToggleAlarmPassword();
    // The open PasswordWindow, null when none is open.
    PasswordWindow* passwordWindow() const;

private:
    void ticked();
    void unticked();
    void openPasswordWindow();
    std::optional<QString> askCredentials();

    QCheckBox* box_;
    Registry& registry_;
    Dialogs& dialogs_;
    QPointer<PasswordWindow> window_;
};

} // namespace orvane
