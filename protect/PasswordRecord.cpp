// The record and credential rules, and the gate over the registry and an input box.
#include "protect/PasswordRecord.h"

#include "common/FlagText.h"
#include "common/Log.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/RegistryValues.h"

#include <sodium.h>

namespace orvane {

namespace {
const QString kTrue = flagText(true);
const QString kHashed = QStringLiteral("argon2id"); // the second piece of a hashed record

// Neither text may hold "|" (saveRefusal), so the joined text is the pair unambiguously.
QByteArray secret(const QString& account, const QString& password) {
    return (account + u'|' + password).toUtf8();
}

bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}
} // namespace

QStringList splitRecord(const QString& record) {
    return record.split(u'|', Qt::KeepEmptyParts);
}

QStringList splitCredentials(const QString& line) {
    return line.split(u' ', Qt::KeepEmptyParts);
}

QString passwordRecord(const QString& account, const QString& password) {
    char hash[crypto_pwhash_STRBYTES];
    const QByteArray text = secret(account, password);
    // The interactive limits: about a tenth of a second and 64 MiB, once per save or check.
    if (!sodiumReady() ||
        crypto_pwhash_str(hash, text.constData(), quint64(text.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0) {
        qCWarning(lcStore) << "the password could not be hashed";
        return QString();
    }
    return kTrue + u'|' + kHashed + u'|' + QString::fromLatin1(hash);
}

bool isPlainRecord(const QString& record) {
    const QStringList pieces = splitRecord(record);
    return pieces.size() == 3 && pieces.at(1) != kHashed;
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
    if (recordPieces.at(1) == kHashed) {
        const QByteArray hash = recordPieces.at(2).toLatin1();
        const QByteArray text = secret(typedPieces.at(0), typedPieces.at(1));
        return sodiumReady() &&
                       crypto_pwhash_str_verify(hash.constData(), text.constData(), quint64(text.size())) == 0
                   ? CredentialCheck::Match
                   : CredentialCheck::Mismatch;
    }
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

bool admitCredentials(Registry& registry, const std::optional<QString>& record,
                      const std::optional<QString>& typed) {
    if (!gateAllows(record, typed))
        return false;
    if (record && isPlainRecord(*record)) {
        // An old plain record, typed in correctly: from now on only its hash is stored.
        const QStringList pieces = splitCredentials(*typed);
        const QString hashed = passwordRecord(pieces.at(0), pieces.at(1));
        if (hashed.isEmpty() || !registry.write(settings::passwordKey(), settings::passwordValue(), hashed))
            qCWarning(lcStore) << "the plain password record could not be rewritten hashed";
    }
    return true;
}

bool CheckAlarmPassword(Registry& registry, Dialogs& dialogs) {
    const std::optional<QString> record = readPasswordRecord(registry);
    if (!gateAsks(recordKind(record)))
        return gateAllows(record, std::nullopt);
    return admitCredentials(registry, record,
                            dialogs.input(passwordtext::inputPrompt(), passwordtext::inputCaption()));
}

} // namespace orvane
