// The command line's road: arguments, help, the password on the terminal, then the running program
// over its socket, or else the database opened here (waiting while another program holds it) and the
// same engine the window uses.
#include "cli/CommandMain.h"

#include "alarm/AlarmEngine.h"
#include "app/AppDatabase.h"
#include "app/SingleInstance.h"
#include "calendar/HolidayUpdate.h"
#include "cli/CommandChannel.h"
#include "cli/CommandLine.h"
#include "cli/TerminalPassword.h"
#include "common/Database.h"
#include "platform/Clock.h"
#include "platform/Registry.h"
#include "platform/SoundPlayer.h"
#include "platform/SystemSettings.h"
#include "protect/PasswordRecord.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLoggingCategory>
#include <QThread>

#include <cstdio>

namespace orvane {

namespace {

// How long the command line waits for a database another program holds before it gives up.
constexpr int kBusyGiveUpMs = 120000;

// The engine here never rings: it is made to change alarms and read their next rings.
class SilentPlayer final : public SoundPlayer {
public:
    PlayOutcome play(const QString&, int, const RingLevel&) override { return PlayOutcome::NoOutput; }
    void stop() override {}
    void playClip(const QByteArray&) override {}
    bool isPlaying() const override { return false; }
};

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int finish(const CommandResult& result) {
    print(stdout, result.out);
    print(stderr, result.err);
    return int(result.exit);
}

// Opens the database, waiting politely while another program holds it; the error line when it cannot.
QString openDatabase(Database& db, const Paths& paths) {
    const QString file = paths.windowsFile(QStringLiteral("dbtime.mdb"));
    paths.makeFolders();
    if (!ensureDatabaseFile(file))
        return QStringLiteral("无法创建闹钟数据库：%1").arg(file);
    const QDeadlineTimer giveUp(kBusyGiveUpMs);
    bool said = false;
    for (;;) {
        switch (openAlarmDatabase(db, file)) {
        case DatabaseOpen::Opened:
            return {};
        case DatabaseOpen::NotOurs:
            return QStringLiteral("数据库打开识别，请检查！（%1）").arg(file);
        case DatabaseOpen::Busy:
            break;
        }
        if (giveUp.hasExpired())
            return QStringLiteral("数据库一直被其他程序占用，未做任何修改");
        if (!said)
            print(stderr, QStringLiteral("数据库正被其他程序占用，等待它释放……\n"));
        said = true;
        QThread::msleep(500); // the open itself waited two seconds already
    }
}

CommandResult runHere(const Command& command, const std::optional<QString>& typed) {
    const Paths paths = Paths::standard();
    Database db;
    if (const QString error = openDatabase(db, paths); !error.isEmpty())
        return CommandResult::error(ExitCode::Failed, error);
    // The rules of China's calendar read the imported years, as the window does.
    loadStoredHolidays(paths.holidaysFile());
    SystemSettings settings(paths);
    SystemClock clock;
    SilentPlayer sound;
    Registry registry(paths);
    AlarmEngine engine(db, {clock, sound, paths, settings});
    engine.start();
    if (engine.model().stale())
        return CommandResult::error(ExitCode::Failed, QStringLiteral("读取闹钟失败，未做任何修改"));
    return runCommand(engine, registry, command, typed, clock.now());
}

} // namespace

std::optional<int> runCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    ParsedCommandLine parsed = parseCommandLine(arguments);
    switch (parsed.kind) {
    case ParsedCommandLine::Window:
        return std::nullopt;
    case ParsedCommandLine::Help:
        print(stdout, helpText());
        return 0;
    case ParsedCommandLine::Error:
        return finish(CommandResult::error(ExitCode::BadInput, parsed.error));
    case ParsedCommandLine::Run:
        break;
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvane-clock"));
    // One clear line per error: the program's log lines only when the user asks for them.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("*.warning=false\n*.info=false"));
    Command& command = parsed.command;
    if (QString error; !resolveFiles(command, &error))
        return finish(CommandResult::error(ExitCode::BadInput, error));

    std::optional<QString> typed;
    if (command.changesAlarms() && gateAsks(recordKind(readPasswordRecord(Registry(Paths::standard()))))) {
        typed = askOnTerminal(QStringLiteral("已设置帐号密码。请输入帐号和密码（用空格分开）："));
        if (!typed)
            return finish(CommandResult::error(ExitCode::Refused,
                                               QStringLiteral("需要帐号密码，但没有可以输入密码的终端")));
    }
    // The running program does it, so its window follows at once; while this holds the lock, a start
    // of the window waits for nothing and ends (the command is short).
    SingleInstance instance(SingleInstance::defaultFolder());
    if (!instance.holdLock())
        return finish(askRunningProgram(SingleInstance::defaultFolder(), command, typed));
    return finish(runHere(command, typed));
}

} // namespace orvane
