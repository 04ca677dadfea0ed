// The new-password window: its controls at their places, saving and cancelling.
#include "protect/PasswordWindow.h"

#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/RegistryValues.h"
#include "platform/WidgetPlace.h"
#include "protect/PasswordRecord.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <initializer_list>

namespace orvane {

PasswordWindow::PasswordWindow(Registry& registry, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), registry_(registry), dialogs_(dialogs) {
    setObjectName(QStringLiteral("PasswordWindow"));
    setWindowTitle(QStringLiteral(" 请输入密码"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(256, 144);

    auto* promptLabel = place(new QLabel(QStringLiteral("请输入新密码..."), this), "标签3", 16, 12, 224, 18);
    QFont font = promptLabel->font();
    font.setFamily(QStringLiteral("宋体"));
    promptLabel->setFont(font);

    auto* accountLabel = place(new QLabel(QStringLiteral("帐号："), this), "标签1", 16, 42, 44, 22);
    // Plain boxes: the account must equal the password, so the user sees what is typed.
    accountEdit_ = place(new QLineEdit(this), "编辑框1", 64, 42, 176, 22);
    accountLabel->setBuddy(accountEdit_);
    auto* passwordLabel = place(new QLabel(QStringLiteral("密码："), this), "标签2", 16, 72, 44, 22);
    passwordEdit_ = place(new QLineEdit(this), "编辑框2", 64, 72, 176, 22);
    passwordLabel->setBuddy(passwordEdit_);

    auto* okButton = place(new QPushButton(QStringLiteral("确定"), this), "按钮1", 64, 108, 76, 24);
    cancelButton_ = place(new QPushButton(QStringLiteral("取消"), this), "按钮2", 164, 108, 76, 24);
    okButton->setDefault(true);

    connect(okButton, &QPushButton::clicked, this, &PasswordWindow::SavePassword);
    connect(cancelButton_, &QPushButton::clicked, this, &PasswordWindow::CancelPassword);
    // A default button answers Return only inside a QDialog; this is a plain window, so the boxes press
    // it themselves (returnPressed covers Return and keypad Enter).
    for (QLineEdit* box : {accountEdit_, passwordEdit_})
        connect(box, &QLineEdit::returnPressed, okButton, &QPushButton::click);
}

void PasswordWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PasswordWindow::SavePassword() {
    const QString account = accountEdit_->text();
    const QString password = passwordEdit_->text();
    if (const QString refusal = saveRefusal(account, password); !refusal.isEmpty()) {
        dialogs_.message(refusal);
        return;
    }
    // An empty record (hashing failed) would lock every alarm for good: it is never written.
    const QString record = passwordRecord(account, password);
    if (record.isEmpty() || !registry_.write(settings::passwordKey(), settings::passwordValue(), record)) {
        dialogs_.message(passwordtext::saveFailed());
        return;
    }
    dialogs_.message(passwordtext::saved());
    close();
}

void PasswordWindow::CancelPassword() {
    close();
}

} // namespace orvane
