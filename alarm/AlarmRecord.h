// The stored alarm row: its key and three "|"-joined texts, as read and as written.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace orvane {

// The three stored texts of one alarm: 提醒时间, 铃声位置, 提示文本.
struct AlarmTexts {
    QString due, ring, prompt;
    bool operator==(const AlarmTexts&) const = default;
};

// One row of the table "配置" as stored.
struct AlarmRecord {
    qint64 key = 0;      // 编号
    QString dueField;    // 提醒时间: repeat rule | due text
    QString ringField;   // 铃声位置: ring flag | "默认" or a sound file
    QString promptField; // 提示文本: popup flag | reminder text
};

// The same row with its three texts as stored (UTF-8), one after another in one array: a load keeps
// them so until the alarm is first read.
struct StoredAlarm {
    qint64 key = 0;
    QByteArray texts;
    qsizetype dueEnd = 0, ringEnd = 0; // where 提醒时间 and 铃声位置 end; 提示文本 runs to the end

    QByteArrayView due() const { return QByteArrayView(texts).first(dueEnd); }
    QByteArrayView ring() const { return QByteArrayView(texts).sliced(dueEnd, ringEnd - dueEnd); }
    QByteArrayView prompt() const { return QByteArrayView(texts).sliced(ringEnd); }
    AlarmRecord decoded() const;
};

// Splits at every "|" (nothing is escaped); an empty text gives no piece.
QStringList splitPieces(const QString& text);

} // namespace orvane
