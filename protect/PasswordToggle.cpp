// Ticking and unticking the password box: the branches over the stored record and the typed credentials.
#include "protect/PasswordToggle.h"

#include "common/FlagText.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/RegistryValues.h"
#include "protect/PasswordRecord.h"
#include "protect/PasswordWindow.h"

#include <QCheckBox>

namespace orvane {

PasswordToggle::PasswordToggle(QCheckBox* box, Registry& registry, Dialogs& dialogs)
    : QObject(box), box_(box), registry_(registry), dialogs_(dialogs) {
    // clicked comes from the user only: loading the settings page toggles nothing.
    connect(box_, &QCheckBox::clicked, this, &PasswordToggle::ToggleAlarmPassword);
}

void PasswordToggle::ToggleAlarmPassword() {
    if (box_->isChecked())
        ticked();
    else
        unticked();
}

PasswordWindow* PasswordToggle::passwordWindow() const {
    return window_.data();
}

std::optional<QString> PasswordToggle::askCredentials() {
    return dialogs_.input(passwordtext::inputPrompt(), passwordtext::inputCaption());
}

void PasswordToggle::ticked() {
    // The box stays ticked whatever happens here; the settings page shows the stored state again when
    // it is next loaded.
    const QString record = readPasswordRecord(registry_).value_or(QString());
    const QStringList pieces = splitRecord(record);
    if (pieces.size() != 3) {
        openPasswordWindow();
        return;
    }
    if (!readFlag(pieces.at(0)))
        return;
    // A record exists: the old credentials must be proven before a new password is set.
    switch (checkCredentials(record, askCredentials())) {
    case CredentialCheck::BadFormat:
        dialogs_.message(passwordtext::badFormat());
        break;
    case CredentialCheck::Match:
        openPasswordWindow();
        break;
    case CredentialCheck::Mismatch:
        dialogs_.message(passwordtext::wrongCredentials());
        break;
    }
}

void PasswordToggle::unticked() {
    const std::optional<QString> record = readPasswordRecord(registry_);
    if (!record || splitRecord(*record).size() != 3)
        return;
    // The first piece is not looked at: a foreign record of three pieces can still be removed.
    switch (checkCredentials(*record, askCredentials())) {
    case CredentialCheck::Match:
        // A failed deletion is not reported; the next load of the page shows protection still on.
        registry_.remove(settings::passwordKey(), settings::passwordValue());
        break;
    case CredentialCheck::Mismatch:
        dialogs_.message(passwordtext::wrongCredentials());
        box_->setChecked(true);
        break;
    case CredentialCheck::BadFormat:
        box_->setChecked(true);
        break;
    }
}

void PasswordToggle::openPasswordWindow() {
    // One window at a time: a second tick brings the open one back with what was typed so far.
    if (window_ == nullptr)
        window_ = new PasswordWindow(registry_, dialogs_, box_->window());
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace orvane
