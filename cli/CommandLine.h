// The command line: its table of commands, reading the arguments, the help, and running a command on
// the engine with its output as the terminal shows it.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace orvane {

class AlarmEngine;
class Registry;

// How a command ends, as its exit code.
enum class ExitCode { Ok = 0, Failed = 1, BadInput = 2, Refused = 3 };

struct CommandResult {
    ExitCode exit = ExitCode::Ok;
    QString out; // for stdout, each line ended
    QString err; // one line for stderr, ended
    static CommandResult error(ExitCode code, const QString& line) { return {code, {}, line + u'\n'}; }
};

struct CommandRow;

struct Command {
    const CommandRow* row = nullptr;
    QStringList operands;
    bool json = false;
    QString sound; // --sound FILE
    bool changesAlarms() const;
    // The arguments that give this command again (files made absolute by the caller).
    QStringList arguments() const;
};

struct ParsedCommandLine {
    enum Kind { Window, Help, Run, Error } kind = Window;
    Command command;
    QString error; // for Error: the line for stderr
};

// `arguments` without the program's name. No argument that starts with "--": the window starts as
// before (Qt's own options, such as -platform, start with one dash).
ParsedCommandLine parseCommandLine(const QStringList& arguments);
QString helpText();

// Runs a parsed command on the engine. `typedCredentials` is the line typed on the terminal, checked
// against the account password for commands that change alarms (none typed: refused while one is set).
CommandResult runCommand(AlarmEngine& engine, Registry& registry, const Command& command,
                         const std::optional<QString>& typedCredentials, const QDateTime& now);

// Makes FILE operands and --sound absolute from the caller's folder, so that a running program in
// another folder finds them. False (with the line in *error) when a ring file is not there.
bool resolveFiles(Command& command, QString* error);

} // namespace orvane
