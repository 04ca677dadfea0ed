// The alarm editor's logic: the three stored texts from the control values, the checks before a save,
// the add presets and the modify fill read from stored texts.
#pragma once

#include "alarm/AlarmRecord.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace orvane {

namespace editortext {
inline QString added() {
    return QStringLiteral("添加成功！");
}
inline QString modified() {
    return QStringLiteral("修改成功！");
}
inline QString addFailed() {
    return QStringLiteral("写入信息失败，请检查！");
}
inline QString modifyFailed() {
    return QStringLiteral("修改信息失败，请检查！");
}
inline QString badHour() {
    return QStringLiteral("小时必须是00到23之间的数字");
}
inline QString badMinute() {
    return QStringLiteral("分钟必须是00到59之间的数字");
}
inline QString badRule() {
    return QStringLiteral("请从列表中选择提醒工作日");
}
// What each rule does: the rule box's tooltip.
inline QString ruleHelp() {
    return QStringLiteral(
        "每天、星期几：从所选日期起，每到这一天都响；仅一次：只在所选日期响一次\n"
        "工作日、节假日：按国家法定节假日和调休\n"
        "农历每年：每年农历的这一天（闰月的日子在有这个闰月的年份响在闰月，否则响在同一个月；"
        "三十在只有二十九天的月份响在廿九）\n"
        "农历每月：每个农历月的这一天（三十同上）\n"
        "节气：二十四节气的每一天");
}
} // namespace editortext

// For a "工作日" or "节假日" alarm whose first year to ring has no holiday data yet:
// "2027年的法定节假日尚未收录，暂按周一至周五"; empty otherwise.
QString holidayCoverageNote(const QString& rule, QDate firstDate, QDate today);

// The items of the hour and minute boxes: "00"…"23"; "00"…"59" (the rules: repeatRuleItems()).
QStringList hourItems();
QStringList minuteItems();

// What the editor's controls hold when the user saves.
struct AlarmEditorValues {
    QString repeatRule; // 组合框_提醒工作日
    QDate date;         // 日期框1 (its time of day is not used)
    QString hour;       // 组合框_时
    QString minute;     // 组合框_分
    bool ring = true;   // 选择框_铃声
    QString ringPath;   // 编辑框_铃声路径
    bool popup = true;  // 选择框_弹窗
    QString reminder;   // 编辑框_弹窗内容
};

// "2010年5月3日": the numbers without leading zeros.
QString datePiece(QDate date);
// The texts exactly as the values stand (hour and minute are not re-formatted here).
AlarmTexts buildAlarmTexts(const AlarmEditorValues& values);

// The outcome of checking hour, minute and rule: either the message naming the first bad field, or the
// hour and minute padded to two digits.
struct EditorCheck {
    QString error; // empty when the values may be stored
    QString hour, minute;
    bool ok() const { return error.isEmpty(); }
};
// Refuses what the scheduler could never match: an hour outside 0–23, a minute outside 0–59 (one or two
// ASCII digits, blanks around them ignored), a rule that is not one of the nine items.
EditorCheck checkEditorValues(const QString& hour, const QString& minute, const QString& repeatRule);

// What the time boxes showed when 添加 or 修改 was pressed.
struct ShownEntry {
    QString date; // 日期框1 as shown: "2025/10/6"
    QString hour, minute, rule;
};
enum class EntryBox { None, Date, Hour, Minute, Rule };
// Reads the texts about to be stored back and names the first box whose shown entry they would not give
// back ("5" and "05" are the same minute); None when they agree.
EntryBox readBackMismatch(const ShownEntry& shown, const AlarmTexts& stored);

// The add presets: the date box, hour and minute one minute from now, taken as a whole so that 10:59
// gives 11 and 00 and 23:59 moves to tomorrow.
struct AddPresets {
    QDate date;
    QString hour, minute;
    bool operator==(const AddPresets&) const = default;
};
AddPresets addPresets(const QDateTime& now);

// What the modify fill puts into the controls; a missing value leaves its control at the layout content.
struct ModifyFill {
    std::optional<QString> repeatRule;
    std::optional<QDate> date;
    std::optional<QString> hour, minute;
    std::optional<bool> ring;
    std::optional<QString> ringPath;
    std::optional<bool> popup;
    std::optional<QString> reminder;
};
ModifyFill modifyFill(const QString& dueField, const QString& ringField, const QString& promptField);

} // namespace orvane
