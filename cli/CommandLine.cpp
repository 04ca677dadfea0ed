// The command table and what each command prints.
#include "cli/CommandLine.h"

#include "cli/AlarmActions.h"
#include "protect/PasswordRecord.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace orvane {

using Runner = CommandResult (*)(AlarmEngine&, const Command&, const QDateTime& now);

// One row per command: adding a command is one row and its runner.
struct CommandRow {
    QStringView option;
    int operands;
    bool changesAlarms;
    bool takesJson;
    bool takesSound;
    bool fileOperand; // its operand names a file, made absolute before it is sent on
    QStringView usage;
    QStringView help;
    Runner run; // none: --help
};

namespace {

QJsonValue timeValue(const std::optional<qint64>& minute) {
    return minute ? QJsonValue(scriptTime(*minute)) : QJsonValue();
}

QJsonObject jsonOf(const AlarmLine& line) {
    return {{u"key"_s, line.key},
            {u"rule"_s, line.rule},
            {u"next"_s, timeValue(line.next)},
            {u"skipped"_s, timeValue(line.skipped)},
            {u"text"_s, line.text},
            {u"sound"_s, line.sound}};
}

QString jsonText(const QJsonValue& value) {
    const QJsonDocument doc = value.isArray()    ? QJsonDocument(value.toArray())
                              : value.isObject() ? QJsonDocument(value.toObject())
                                                 : QJsonDocument();
    return doc.isNull() ? QStringLiteral("null\n")
                        : QString::fromUtf8(doc.toJson(QJsonDocument::Compact)) + u'\n';
}

QString nextText(const AlarmLine& line) {
    QString text = line.next ? scriptTime(*line.next) : QStringLiteral("不会再响");
    if (line.skipped)
        text += QStringLiteral("（已跳过 ") + scriptTime(*line.skipped) + u'）';
    return text;
}

CommandResult failed(const ActionError& error) {
    switch (error.kind) {
    case ActionError::BadInput:
        return CommandResult::error(ExitCode::BadInput, error.text);
    case ActionError::UnknownKey:
    case ActionError::Failed:
        break;
    case ActionError::Refused:
        return CommandResult::error(ExitCode::Refused, error.text);
    }
    return CommandResult::error(ExitCode::Failed, error.text);
}

CommandResult list(AlarmEngine& engine, const Command& command, const QDateTime& now) {
    const QList<AlarmLine> lines = listAlarms(engine, now);
    if (command.json) {
        QJsonArray array;
        for (const AlarmLine& line : lines)
            array << jsonOf(line);
        return {ExitCode::Ok, jsonText(array), {}};
    }
    if (lines.isEmpty())
        return {ExitCode::Ok, QStringLiteral("没有闹钟\n"), {}};
    QString out = QStringLiteral("编号\t规则\t下次响铃\t提醒\n");
    for (const AlarmLine& line : lines)
        out += QString::number(line.key) + u'\t' + line.rule + u'\t' + nextText(line) + u'\t' + line.text +
               u'\n';
    return {ExitCode::Ok, out, {}};
}

CommandResult next(AlarmEngine& engine, const Command& command, const QDateTime& now) {
    const std::optional<AlarmLine> line = nextAlarm(engine, now);
    if (command.json)
        return {ExitCode::Ok, jsonText(line ? QJsonValue(jsonOf(*line)) : QJsonValue()), {}};
    if (!line)
        return {ExitCode::Ok, QStringLiteral("没有将要响铃的闹钟\n"), {}};
    return {ExitCode::Ok,
            QStringLiteral("%1 %2（编号 %3，%4）\n")
                .arg(scriptTime(*line->next), line->text)
                .arg(line->key)
                .arg(line->rule),
            {}};
}

CommandResult add(AlarmEngine& engine, const Command& command, const QDateTime& now) {
    const QStringList& o = command.operands;
    const ActionResult<AlarmLine> added = addAlarm(engine, {o.at(0), o.at(1), o.at(2), command.sound}, now);
    if (!added.ok())
        return failed(added.error);
    if (command.json)
        return {ExitCode::Ok, jsonText(jsonOf(*added.value)), {}};
    return {ExitCode::Ok,
            QStringLiteral("已添加闹钟 %1：%2 %3，下次响铃 %4\n")
                .arg(added.value->key)
                .arg(added.value->rule, added.value->text, nextText(*added.value)),
            {}};
}

CommandResult remove(AlarmEngine& engine, const Command& command, const QDateTime& now) {
    const std::optional<qint64> key = readKey(command.operands.at(0));
    if (!key)
        return CommandResult::error(ExitCode::Failed, unknownKeyText(command.operands.at(0)));
    const ActionResult<AlarmLine> removed = removeAlarm(engine, *key, now);
    if (!removed.ok())
        return failed(removed.error);
    return {ExitCode::Ok, QStringLiteral("已删除闹钟 %1：%2\n").arg(*key).arg(removed.value->text), {}};
}

CommandResult skip(AlarmEngine& engine, const Command& command, const QDateTime& now) {
    const std::optional<qint64> key = readKey(command.operands.at(0));
    if (!key)
        return CommandResult::error(ExitCode::Failed, unknownKeyText(command.operands.at(0)));
    const ActionResult<AlarmLine> skipped = skipAlarm(engine, *key, now);
    if (!skipped.ok())
        return failed(skipped.error);
    const AlarmLine& line = *skipped.value;
    return {ExitCode::Ok,
            QStringLiteral("已跳过闹钟 %1 在 %2 的响铃，之后%3\n")
                .arg(*key)
                .arg(scriptTime(*line.skipped), line.next
                                                    ? QStringLiteral("下次响铃 ") + scriptTime(*line.next)
                                                    : QStringLiteral("不会再响")),
            {}};
}

CommandResult exportTo(AlarmEngine& engine, const Command& command, const QDateTime& now) {
    const ActionResult<int> written = exportAlarmsTo(engine, command.operands.at(0), now);
    if (!written.ok())
        return failed(written.error);
    return {ExitCode::Ok,
            QStringLiteral("已导出 %1 个闹钟到 %2\n").arg(*written.value).arg(command.operands.at(0)),
            {}};
}

CommandResult importFrom(AlarmEngine& engine, const Command& command, const QDateTime& now) {
    const ActionResult<QString> summary = importAlarmsFrom(engine, command.operands.at(0), now);
    if (!summary.ok())
        return failed(summary.error);
    return {ExitCode::Ok, *summary.value + u'\n', {}};
}

const CommandRow kCommands[] = {
    {u"--list", 0, false, true, false, false, u"--list [--json]",
     u"列出所有闹钟：编号、规则、下次响铃、提醒文字", &list},
    {u"--next", 0, false, true, false, false, u"--next [--json]", u"下一个将要响铃的闹钟", &next},
    {u"--add", 3, true, true, true, false, u"--add 规则 时间 提醒文字 [--sound 铃声文件]",
     u"添加闹钟，如 --add 每天 07:30 起床、--add 仅一次 \"2026-12-09 06:50\" 赶高铁", &add},
    {u"--remove", 1, true, false, false, false, u"--remove 编号", u"删除闹钟", &remove},
    {u"--skip", 1, true, false, false, false, u"--skip 编号", u"跳过闹钟的下一次响铃", &skip},
    {u"--export", 1, false, false, false, true, u"--export 文件.ics",
     u"把所有闹钟导出为 iCalendar 文件，手机和其他日历程序可以读入", &exportTo},
    {u"--import", 1, true, false, false, true, u"--import 文件.ics",
     u"从 iCalendar 文件导入闹钟（本程序导出的原样恢复）", &importFrom},
    {u"--help", 0, false, false, false, false, u"--help", u"显示本说明", nullptr},
};

const CommandRow* findCommand(QStringView option) {
    for (const CommandRow& row : kCommands)
        if (row.option == option)
            return &row;
    return nullptr;
}

ParsedCommandLine parseError(const QString& line) {
    return {ParsedCommandLine::Error, {}, line};
}

} // namespace

bool Command::changesAlarms() const {
    return row != nullptr && row->changesAlarms;
}

QStringList Command::arguments() const {
    QStringList args{row->option.toString()};
    args += operands;
    if (json)
        args << QStringLiteral("--json");
    if (!sound.isEmpty())
        args << QStringLiteral("--sound") << sound;
    return args;
}

ParsedCommandLine parseCommandLine(const QStringList& arguments) {
    if (std::none_of(arguments.begin(), arguments.end(),
                     [](const QString& a) { return a.startsWith(u"--"); }))
        return {};
    const QString more = QStringLiteral("（orvane-clock --help 列出所有命令）");
    Command command;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == u"--json") {
            command.json = true;
        } else if (arg == u"--sound") {
            if (++i == arguments.size() || arguments.at(i).isEmpty())
                return parseError(QStringLiteral("--sound 后面缺少铃声文件"));
            command.sound = arguments.at(i);
        } else if (const CommandRow* row = findCommand(arg)) {
            if (command.row != nullptr)
                return parseError(
                    QStringLiteral("一次只能执行一个命令：%1 和 %2").arg(command.row->option, arg));
            command.row = row;
            // Taken as they are, so that a text may begin with a dash.
            if (i + row->operands >= arguments.size())
                return parseError(QStringLiteral("%1 缺少参数，用法：orvane-clock %2").arg(arg, row->usage));
            command.operands = arguments.mid(i + 1, row->operands);
            i += row->operands;
        } else if (arg.startsWith(u"--")) {
            return parseError(QStringLiteral("未知的选项：%1").arg(arg) + more);
        } else {
            return parseError(QStringLiteral("多余的参数：%1").arg(arg) + more);
        }
    }
    if (command.row == nullptr)
        return parseError(QStringLiteral("缺少命令") + more);
    if (command.json && !command.row->takesJson)
        return parseError(QStringLiteral("%1 不支持 --json").arg(command.row->option));
    if (!command.sound.isEmpty() && !command.row->takesSound)
        return parseError(QStringLiteral("--sound 只能与 --add 一起使用"));
    if (command.row->run == nullptr)
        return {ParsedCommandLine::Help, command, {}};
    return {ParsedCommandLine::Run, command, {}};
}

QString helpText() {
    QString text = QStringLiteral("用法：orvane-clock [命令]\n"
                                  "不带命令时打开闹钟窗口（已在运行时把窗口调到前面）。\n\n命令：\n");
    for (const CommandRow& row : kCommands)
        text += QStringLiteral("  %1\n      %2\n").arg(row.usage, row.help);
    text +=
        QStringLiteral("\n规则：") + ruleChoicesText() +
        QStringLiteral(
            "\n"
            "时间：07:30（下一个 07:30：今天还没到就是今天，否则明天），或 \"2026-12-09 06:50\"\n\n"
            "闹钟程序在运行时，命令交给它执行，窗口中的列表随即更新；没有运行时直接修改闹钟数据库。\n"
            "设置了帐号密码时，修改闹钟的命令在终端上询问帐号和密码（帐号与密码之间用空格分开）。\n"
            "出错时在标准错误输出一行说明：退出码 1 为执行失败，2 为命令或输入有误，3 为帐号密码错误。\n");
    return text;
}

CommandResult runCommand(AlarmEngine& engine, Registry& registry, const Command& command,
                         const std::optional<QString>& typedCredentials, const QDateTime& now) {
    if (command.changesAlarms() &&
        !admitCredentials(registry, readPasswordRecord(registry), typedCredentials))
        return CommandResult::error(ExitCode::Refused, passwordtext::wrongCredentials());
    return command.row->run(engine, command, now);
}

bool resolveFiles(Command& command, QString* error) {
    if (command.row->fileOperand)
        for (QString& operand : command.operands)
            operand = QFileInfo(operand).absoluteFilePath();
    if (command.sound.isEmpty())
        return true;
    const QFileInfo sound(command.sound);
    if (!sound.isFile()) {
        *error = QStringLiteral("找不到铃声文件：%1").arg(command.sound);
        return false;
    }
    command.sound = sound.absoluteFilePath();
    return true;
}

} // namespace orvane
