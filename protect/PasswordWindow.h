// The window " 请输入密码": takes a new account and password and writes the record.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace orvane {

class Dialogs;
class Registry;

// Non-modal top-level window that destroys itself when closed.
class PasswordWindow : public QWidget {
    Q_OBJECT
public:
    PasswordWindow(Registry& registry, Dialogs& dialogs, QWidget* parent = nullptr);

    // Checks the two boxes, then writes "真|account|password"; closes only after a successful write.
    void SavePassword();
    // Closes without writing anything.
    void CancelPassword();

protected:
    // Esc anywhere in the window presses 取消, as in a dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Registry& registry_;
    Dialogs& dialogs_;

    QLineEdit* accountEdit_;
    QLineEdit* passwordEdit_;
    QPushButton* cancelButton_;
};

} // namespace orvane
