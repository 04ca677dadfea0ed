// The record and credential rules, and the gate over the registry and an input box.
#include "protect/PasswordRecord.h"

#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/SystemSettings.h"

namespace orvane {

namespace {
const QString kTrue = QStringLiteral("真");
} // namespace

QStringList splitRecord(const QString& record) {
    return record.split(u'|', Qt::KeepEmptyParts);
}

QStringList splitCredentials(const QString& line) {
    return line.split(u' ', Qt::KeepEmptyParts);
}

QString passwordRecord(const QString& account, const QString& password) {
    return kTrue + u'|' + account + u'|' + password;
}

RecordKind recordKind(const std::optional<QString>& record) {
    if (!record)
        return RecordKind::Absent;
    const QStringList pieces = splitRecord(*record);
    if (pieces.size() != 3)
        return RecordKind::Malformed;
    return pieces.at(0) == kTrue ? RecordKind::Valid : RecordKind::Foreign;
}

CredentialCheck checkCredentials(const QString& record, const std::optional<QString>& typed) {
    // A cancelled box counts as an empty line, which is one piece.
    const QStringList typedPieces = splitCredentials(typed.value_or(QString()));
    if (typedPieces.size() != 2)
        return CredentialCheck::BadFormat;
    const QStringList recordPieces = splitRecord(record);
    if (recordPieces.size() != 3)
        return CredentialCheck::Mismatch;
    return typedPieces.at(0) == recordPieces.at(1) && typedPieces.at(1) == recordPieces.at(2)
               ? CredentialCheck::Match
               : CredentialCheck::Mismatch;
}

bool gateAllows(const std::optional<QString>& record, const std::optional<QString>& typed) {
    switch (recordKind(record)) {
    case RecordKind::Absent:
        return true;
    case RecordKind::Malformed:
    case RecordKind::Foreign:
        return false;
    case RecordKind::Valid:
        break;
    }
    return checkCredentials(*record, typed) == CredentialCheck::Match;
}

QString saveRefusal(const QString& account, const QString& password) {
    if (account.isEmpty() || password.isEmpty())
        return passwordtext::empty();
    for (const QString& text : {account, password})
        if (text.contains(u' ') || text.contains(u'|'))
            return passwordtext::forbiddenCharacter();
    if (account != password)
        return passwordtext::mismatch();
    return QString();
}

std::optional<QString> readPasswordRecord(const Registry& registry) {
    return registry.read(settings::passwordKey(), settings::passwordValue());
}

bool CheckAlarmPassword(Registry& registry, Dialogs& dialogs) {
    const std::optional<QString> record = readPasswordRecord(registry);
    if (!gateAsks(recordKind(record)))
        return gateAllows(record, std::nullopt);
    return gateAllows(record, dialogs.input(passwordtext::inputPrompt(), passwordtext::inputCaption()));
}

} // namespace orvane
