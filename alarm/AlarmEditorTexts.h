// The alarm editor's logic: its messages, the checks of what the boxes hold before a save, the read-back
// guard, the add presets and the holiday-data note.
#pragma once

#include "alarm/AlarmCodec.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

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
inline QString dateNotTaken() {
    return QStringLiteral("日期框显示的日期与将要保存的不一致，请检查");
}
// What each rule does: the rule box's tooltip.
inline QString ruleHelp() {
    return QStringLiteral(
        "每天、星期几：从所选日期起，每到这一天都响；仅一次：只在所选日期响一次\n"
        "工作日、节假日：按国家法定节假日和调休\n"
        "农历每年：每年农历的这一天（闰月的日子在有这个闰月的年份响在闰月，否则响在同一个月；"
        "三十在只有二十九天的月份响在廿九）\n"
        "农历每月：每个农历月的这一天（三十同上）\n"
        "节气：二十四节气的每一天\n"
        "周一至周五、周末、自选星期：每周的这几天，不管节假日\n"
        "大小周：工作日，再加隔一周的周六（所选日期那周的周六上班）\n"
        "轮班：从所选日期起上几天休几天，如上3休3、每隔3天");
}
} // namespace editortext

// What the stored date means for rules counted from it (大小周, shifts), shown beside the buttons; empty for
// the others.
QString ruleHint(const QString& ruleText);

// For a "工作日", "节假日" or "大小周" alarm whose first year to ring has no holiday data yet:
// "2027年的法定节假日尚未收录，暂按周一至周五"; empty otherwise.
QString holidayCoverageNote(const AlarmRule& rule, QDate firstDate, QDate today);

// The items of the hour and minute boxes: "00"…"23"; "00"…"59" (the rules: ruleItems()).
QStringList hourItems();
QStringList minuteItems();

// What the editor's boxes hold when the user saves, as they show it.
struct EditorEntry {
    QString rule;      // 组合框_提醒工作日
    QDate date;        // 日期框1
    QString hour;      // 组合框_时
    QString minute;    // 组合框_分
    bool ring = true;  // 选择框_铃声
    QString sound;     // 编辑框_铃声路径
    bool popup = true; // 选择框_弹窗
    QString reminder;  // 编辑框_弹窗内容
};

enum class EntryBox { None, Date, Hour, Minute, Rule };

// Either the message and the box of the first bad entry, or the values to store. Refused: an hour
// outside 0–23, a minute outside 0–59 (one or two ASCII digits, blanks around them ignored), a rule that
// is not one of the editor's items: none of them could ever ring.
struct EditorCheck {
    QString error; // empty when the values may be stored
    EntryBox box = EntryBox::None;
    AlarmValues values;
    bool ok() const { return error.isEmpty(); }
};
EditorCheck checkEditorEntry(const EditorEntry& entry);

// What the time boxes showed when 添加 or 修改 was pressed.
struct ShownEntry {
    QString date; // 日期框1 as shown: "2025/10/6"
    QString hour, minute, rule;
};
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

} // namespace orvane
