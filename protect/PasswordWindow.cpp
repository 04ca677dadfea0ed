// The new-password window: its controls at their places, saving and cancelling.
#include "protect/PasswordWindow.h"

#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/SystemSettings.h"
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

    标签3 = place(new QLabel(QStringLiteral("请输入新密码..."), this), "标签3", 16, 12, 224, 18);
    QFont font = 标签3->font();
    font.setFamily(QStringLiteral("宋体"));
    标签3->setFont(font);

    标签1 = place(new QLabel(QStringLiteral("帐号："), this), "标签1", 16, 42, 44, 22);
    // Plain boxes: the account must equal the password, so the user sees what is typed.
    编辑框1 = place(new QLineEdit(this), "编辑框1", 64, 42, 176, 22);
    标签1->setBuddy(编辑框1);
    标签2 = place(new QLabel(QStringLiteral("密码："), this), "标签2", 16, 72, 44, 22);
    编辑框2 = place(new QLineEdit(this), "编辑框2", 64, 72, 176, 22);
    标签2->setBuddy(编辑框2);

    按钮1 = place(new QPushButton(QStringLiteral("确定"), this), "按钮1", 64, 108, 76, 24);
    按钮2 = place(new QPushButton(QStringLiteral("取消"), this), "按钮2", 164, 108, 76, 24);
    按钮1->setDefault(true);

    connect(按钮1, &QPushButton::clicked, this, &PasswordWindow::SavePassword);
    connect(按钮2, &QPushButton::clicked, this, &PasswordWindow::CancelPassword);
    // A default button answers Return only inside a QDialog; this is a plain window, so the boxes press
    // it themselves (returnPressed covers Return and keypad Enter).
    for (QLineEdit* box : {编辑框1, 编辑框2})
        connect(box, &QLineEdit::returnPressed, 按钮1, &QPushButton::click);
}

void PasswordWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        按钮2->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PasswordWindow::SavePassword() {
    const QString account = 编辑框1->text();
    const QString password = 编辑框2->text();
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
