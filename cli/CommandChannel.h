// A command handed to the running program over its single-instance socket, and its answer.
#pragma once

#include "cli/CommandLine.h"

#include <QByteArray>

#include <optional>

namespace orvane {

class AlarmEngine;
class Clock;
class Registry;

QByteArray encodeRequest(const Command& command, const std::optional<QString>& typedCredentials);
QByteArray encodeAnswer(const CommandResult& result);
// None for bytes that are no answer.
std::optional<CommandResult> decodeAnswer(const QByteArray& bytes);

// The running program's side: reads the request, runs it on its engine and encodes the answer.
QByteArray answerRequest(const QByteArray& request, AlarmEngine& engine, Registry& registry,
                         const Clock& clock);

// The command line's side: the running program's answer, or the line that says it gave none.
CommandResult askRunningProgram(const QString& folder, const Command& command,
                                const std::optional<QString>& typedCredentials);

} // namespace orvane
