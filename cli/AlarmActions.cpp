// The script actions over the engine, checked as the editor checks what it stores.
#include "cli/AlarmActions.h"

#include "alarm/AlarmCalendar.h"
#include "alarm/AlarmCodec.h"
#include "alarm/AlarmEditorTexts.h"
#include "alarm/AlarmEngine.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace orvane {

namespace {

AlarmLine lineOf(const AlarmEngine& engine, const Alarm& alarm, qint64 nowMinute) {
    std::optional<qint64> skipped = engine.skippedMinute(alarm.key);
    if (skipped && *skipped <= nowMinute)
        skipped.reset(); // used up
    // A put-off ring is a ring too: a panel showing the next alarm must show it.
    std::optional<qint64> next = engine.nextRingOf(alarm, nowMinute + 1);
    if (const std::optional<qint64> putOff = engine.putOffMinute(alarm.key);
        putOff && (!next || *putOff < *next))
        next = putOff;
    return {alarm.key, alarm.rule, next, skipped, alarm.reminder, alarm.sound};
}

} // namespace

QString ruleChoicesText() {
    QStringList rules = ruleItems();
    rules.removeAll(weekdayChooserItem());
    rules.removeAll(shiftChooserItem());
    return rules.join(u'、') + QStringLiteral("，星期组合如“周二、周四”，轮班如“上3休3”“每隔3天”");
}

namespace {

ActionError badInput(const QString& text) {
    return {ActionError::BadInput, text};
}

} // namespace

QString scriptTime(qint64 minute) {
    return dateTimeOfMinute(minute).toString(u"yyyy-MM-dd HH:mm");
}

std::optional<TypedTime> readScriptTime(const QString& text, const QDateTime& now) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(?:(\d{4})-(\d{1,2})-(\d{1,2})\s+)?(\d{1,2}):(\d{1,2})\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    TypedTime time{{}, match.captured(4), match.captured(5)};
    if (match.hasCaptured(1)) {
        time.date = QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
        if (!time.date.isValid())
            return std::nullopt;
        return time;
    }
    // Today while that minute is still ahead of the clock; a time that is not one goes to the check.
    const QTime at(time.hour.toInt(), time.minute.toInt());
    time.date = now.date();
    if (at.isValid() && at <= now.time())
        time.date = time.date.addDays(1);
    return time;
}

QList<AlarmLine> listAlarms(const AlarmEngine& engine, const QDateTime& now) {
    QList<AlarmLine> lines;
    const AlarmModel& model = engine.model();
    for (int row = 0; row < model.size(); ++row)
        lines << lineOf(engine, model.at(row), minuteKey(now));
    return lines;
}

std::optional<AlarmLine> nextAlarm(const AlarmEngine& engine, const QDateTime& now) {
    std::optional<AlarmLine> first;
    for (const AlarmLine& line : listAlarms(engine, now))
        if (line.next && (!first || *line.next < *first->next))
            first = line;
    return first;
}

ActionResult<AlarmLine> addAlarm(AlarmEngine& engine, const NewAlarm& alarm, const QDateTime& now) {
    const std::optional<TypedTime> time = readScriptTime(alarm.time, now);
    if (!time)
        return {
            {},
            badInput(QStringLiteral("时间格式错误：“%1”，应为 07:30 或 2026-12-09 06:50").arg(alarm.time))};
    EditorEntry entry{alarm.rule,   time->date, time->hour,
                      time->minute, true,       alarm.sound.isEmpty() ? QStringLiteral("默认") : alarm.sound,
                      true,         alarm.text};
    const EditorCheck check = checkEditorEntry(entry);
    if (check.box == EntryBox::Rule)
        return {{},
                badInput(QStringLiteral("未知的重复规则：“%1”。可用的规则：").arg(alarm.rule) +
                         ruleChoicesText())};
    if (!check.ok())
        return {{}, badInput(check.error)};
    // The stored texts are cut at "|": such a text or path would come back cut short.
    if (alarm.text.contains(u'|') || alarm.sound.contains(u'|'))
        return {{}, badInput(QStringLiteral("提醒文字和铃声文件名不能包含“|”"))};
    const AlarmTexts texts = encodeAlarm(check.values);
    if (!decodeAlarm(0, texts).time.nextAt(minuteKey(now) + 1))
        return {{}, badInput(QStringLiteral("这个闹钟不会再响：%1 %2 已经过去").arg(alarm.rule, alarm.time))};
    const std::optional<qint64> key = engine.add(texts);
    const Alarm* added = key ? engine.model().find(*key) : nullptr;
    if (added == nullptr)
        return {{}, {ActionError::Failed, QStringLiteral("闹钟没能写入数据库，未做任何修改")}};
    return {lineOf(engine, *added, minuteKey(now)), {}};
}

ActionResult<AlarmLine> removeAlarm(AlarmEngine& engine, qint64 key, const QDateTime& now) {
    const Alarm* alarm = engine.model().find(key);
    if (alarm == nullptr)
        return {{}, {ActionError::UnknownKey, unknownKeyText(QString::number(key))}};
    const AlarmLine line = lineOf(engine, *alarm, minuteKey(now));
    if (!engine.remove(key))
        return {{}, {ActionError::Failed, QStringLiteral("闹钟 %1 没能从数据库删除").arg(key)}};
    return {line, {}};
}

ActionResult<AlarmLine> skipAlarm(AlarmEngine& engine, qint64 key, const QDateTime& now) {
    const Alarm* alarm = engine.model().find(key);
    if (alarm == nullptr)
        return {{}, {ActionError::UnknownKey, unknownKeyText(QString::number(key))}};
    if (!engine.nextRingOf(*alarm, minuteKey(now) + 1))
        return {{}, badInput(QStringLiteral("闹钟 %1 不会再响，没有可跳过的响铃").arg(key))};
    if (!engine.skipNext(key))
        return {{}, {ActionError::Failed, QStringLiteral("闹钟 %1 的跳过没能保存").arg(key)}};
    return {lineOf(engine, *engine.model().find(key), minuteKey(now)), {}};
}

ActionResult<int> exportAlarmsTo(const AlarmEngine& engine, const QString& file, const QDateTime& now) {
    const QByteArray ics = exportCalendar(engine, now.date());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(ics) != ics.size() || !out.commit())
        return {{}, {ActionError::Failed, QStringLiteral("无法写入文件：%1").arg(file)}};
    return {int(ics.count("BEGIN:VEVENT")), {}};
}

ActionResult<QString> importAlarmsFrom(AlarmEngine& engine, const QString& file, const QDateTime& now) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {{}, badInput(QStringLiteral("无法读取文件：%1").arg(file))};
    const CalendarImport read = readCalendar(in.readAll(), now.date());
    if (!read.error.isEmpty())
        return {{}, badInput(read.error + QStringLiteral("：") + file)};
    // All or none: a store that fails halfway takes back what it added.
    QList<qint64> added;
    for (const AlarmTexts& texts : read.alarms) {
        const std::optional<qint64> key = engine.add(texts);
        if (!key) {
            for (const qint64 done : added)
                engine.remove(done);
            return {{}, {ActionError::Failed, QStringLiteral("闹钟没能写入数据库，未导入任何闹钟")}};
        }
        added << *key;
    }
    return {importSummary(int(added.size()), read.skipped), {}};
}

std::optional<qint64> readKey(const QString& text) {
    bool ok = false;
    const qint64 key = text.toLongLong(&ok);
    return ok && key > 0 ? std::optional(key) : std::nullopt;
}

QString unknownKeyText(const QString& key) {
    return QStringLiteral("没有编号为 %1 的闹钟").arg(key);
}

} // namespace orvane
