// The request and the answer as JSON objects: the arguments as typed, the terminal's credentials, and
// the exit code with the two outputs.
#include "cli/CommandChannel.h"

#include "alarm/AlarmEngine.h"
#include "app/SingleInstance.h"
#include "platform/Clock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace orvane {

namespace {
// Long enough for a database another program holds for a moment (a statement waits two seconds).
constexpr int kAnswerWaitMs = 15000;
} // namespace

QByteArray encodeRequest(const Command& command, const std::optional<QString>& typedCredentials) {
    QJsonObject request{{u"args"_s, QJsonArray::fromStringList(command.arguments())}};
    if (typedCredentials)
        request.insert(u"credentials"_s, *typedCredentials);
    return QJsonDocument(request).toJson(QJsonDocument::Compact);
}

QByteArray encodeAnswer(const CommandResult& result) {
    return QJsonDocument(
               QJsonObject{{u"exit"_s, int(result.exit)}, {u"out"_s, result.out}, {u"err"_s, result.err}})
        .toJson(QJsonDocument::Compact);
}

std::optional<CommandResult> decodeAnswer(const QByteArray& bytes) {
    const QJsonObject answer = QJsonDocument::fromJson(bytes).object();
    if (!answer.value(u"exit").isDouble())
        return std::nullopt;
    return CommandResult{ExitCode(answer.value(u"exit").toInt()), answer.value(u"out").toString(),
                         answer.value(u"err").toString()};
}

QByteArray answerRequest(const QByteArray& request, AlarmEngine& engine, Registry& registry,
                         const Clock& clock) {
    const QJsonObject fields = QJsonDocument::fromJson(request).object();
    QStringList args;
    for (const QJsonValue& arg : fields.value(u"args").toArray())
        args << arg.toString();
    const ParsedCommandLine parsed = parseCommandLine(args);
    if (parsed.kind != ParsedCommandLine::Run)
        return encodeAnswer(CommandResult::error(ExitCode::BadInput, QStringLiteral("无法识别的命令请求")));
    if (!engine.started())
        return encodeAnswer(CommandResult::error(
            ExitCode::Failed, QStringLiteral("闹钟数据库正被其他程序占用，闹钟程序在等它打开，请稍后再试")));
    std::optional<QString> credentials;
    if (fields.value(u"credentials").isString())
        credentials = fields.value(u"credentials").toString();
    return encodeAnswer(runCommand(engine, registry, parsed.command, credentials, clock.now()));
}

CommandResult askRunningProgram(const QString& folder, const Command& command,
                                const std::optional<QString>& typedCredentials) {
    const std::optional<QByteArray> bytes =
        SingleInstance::sendCommand(folder, encodeRequest(command, typedCredentials), kAnswerWaitMs);
    if (const std::optional<CommandResult> answer = bytes ? decodeAnswer(*bytes) : std::nullopt)
        return *answer;
    return CommandResult::error(
        ExitCode::Failed, QStringLiteral("闹钟程序正在运行，但没有回答命令（它可能正在启动），请稍后再试"));
}

} // namespace orvane
