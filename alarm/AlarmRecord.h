// The stored alarm row and how its three "|"-joined texts spread over the cells of the alarm lists.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace orvane {

// One row of the table "配置" as stored.
struct AlarmRecord {
    qint64 key = 0;      // 编号
    QString dueField;    // 提醒时间: repeat rule | due text
    QString ringField;   // 铃声位置: ring flag | "默认" or a sound file
    QString promptField; // 提示文本: popup flag | reminder text
};

// The same row with its three texts as stored (UTF-8), one after another in one array: a list load
// keeps them so until a cell is read.
struct StoredAlarm {
    qint64 key = 0;
    QByteArray texts;
    qsizetype dueEnd = 0, ringEnd = 0; // where 提醒时间 and 铃声位置 end; 提示文本 runs to the end

    QByteArrayView due() const { return QByteArrayView(texts).first(dueEnd); }
    QByteArrayView ring() const { return QByteArrayView(texts).sliced(dueEnd, ringEnd - dueEnd); }
    QByteArrayView prompt() const { return QByteArrayView(texts).sliced(ringEnd); }
    AlarmRecord decoded() const;
};

// The cells one alarm fills in the three row-aligned lists.
struct AlarmListRow {
    // shown list: 编号 (running number), 闹钟时间, 闹钟事件, 工作日期
    QString number, dueText, reminderText, weekdayColumn;
    // hidden list 超级列表框_是否提醒: 提醒类型, 是否铃声, 是否弹窗, 铃声位置
    QString repeatRule, ringFlag, popupFlag, ringPath;
    // hidden list 超级列表框_编号
    QString key;
    bool operator==(const AlarmListRow&) const = default;
};

// Splits at every "|" (nothing is escaped); an empty text gives no piece.
QStringList splitPieces(const QString& text);
// The cells of the n-th alarm (n counts from 1).
AlarmListRow alarmListRow(int n, const AlarmRecord& record);
// The same from the stored texts in a buffer of the caller's: each cell is a string of its own.
AlarmListRow alarmListRow(int n, qint64 key, QStringView due, QStringView ring, QStringView prompt);

} // namespace orvane
