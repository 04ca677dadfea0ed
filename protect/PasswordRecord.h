// The account-password record "真|account|password" and the typed credentials: splitting, comparing,
// the gate's decision and the checks of a new password.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace orvane {

class Dialogs;
class Registry;

namespace passwordtext {
inline QString inputCaption() {
    return QStringLiteral("请输入旧帐号密码");
}
inline QString inputPrompt() {
    return QStringLiteral("帐号与密码之间用空格分开");
}
inline QString wrongCredentials() {
    return QStringLiteral("帐号密码错误，请检查！");
}
inline QString badFormat() {
    return QStringLiteral("帐号密码格式错误，请重新输入！");
}
inline QString empty() {
    return QStringLiteral("密码不能为空");
}
inline QString forbiddenCharacter() {
    return QStringLiteral("帐号和密码不能包含空格或“|”");
}
inline QString mismatch() {
    return QStringLiteral("两次密码输入不一直");
}
inline QString saved() {
    return QStringLiteral("密码设置成功！");
}
inline QString saveFailed() {
    return QStringLiteral("密码设置失败！");
}
} // namespace passwordtext

// Every piece between the "|" signs, empty ones included.
QStringList splitRecord(const QString& record);
// Every piece between the blanks of the typed line, empty ones included (two blanks make an empty piece).
QStringList splitCredentials(const QString& line);
// The record SavePassword writes: "真|argon2id|" and a salted Argon2id hash of the account and the
// password, so that the store never holds the password itself. Empty when hashing failed (no memory).
QString passwordRecord(const QString& account, const QString& password);
// A record written before passwords were hashed: "真|account|password". Still accepted; the gate
// rewrites it hashed the first time it is typed in correctly.
bool isPlainRecord(const QString& record);

enum class RecordKind {
    Absent,    // no value "pz": protection off
    Malformed, // not exactly three pieces
    Foreign,   // three pieces, the first is not "真"
    Valid,
};
RecordKind recordKind(const std::optional<QString>& record);

enum class CredentialCheck { Match, Mismatch, BadFormat };
// The typed line (nullopt: the box was cancelled) against a record of three pieces, hashed or plain;
// byte-exact and case-sensitive.
CredentialCheck checkCredentials(const QString& record, const std::optional<QString>& typed);

// The gate asks for the credentials only for a valid record.
inline bool gateAsks(RecordKind kind) {
    return kind == RecordKind::Valid;
}
// The gate's answer for the stored record and, when it asked, the typed line.
bool gateAllows(const std::optional<QString>& record, const std::optional<QString>& typed);

// The message that refuses a new account and password, empty when they can be saved. In this order: an
// empty box, a blank or "|" (the gate splits at them, so such a password could never be typed in
// again and protection could not be switched off), then two texts that differ.
QString saveRefusal(const QString& account, const QString& password);

// The stored record; nullopt when there is none or the store cannot be read.
std::optional<QString> readPasswordRecord(const Registry& registry);

// The gate's answer for a line typed elsewhere (a terminal); a plain record typed in correctly is
// rewritten hashed.
bool admitCredentials(Registry& registry, const std::optional<QString>& record,
                      const std::optional<QString>& typed);

// Asks for the credentials while protection is on (modal); true when the caller may go on. Shows no
// message of its own.
bool CheckAlarmPassword(Registry& registry, Dialogs& dialogs);

} // namespace orvane
