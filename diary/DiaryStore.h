// Statements on the diary table "记事本" (texts and keys always bound) and the texts of its list rows.
#pragma once

#include "common/Database.h"

#include <optional>
#include <vector>

namespace orvane {

namespace diarysql {
inline QString selectAll() {
    return QStringLiteral("select * from [记事本]");
}
inline QString deleteByKey() {
    return QStringLiteral("delete from [记事本] where [编号]=?");
}
inline QString update() {
    return QStringLiteral("update [记事本] set [内容]=? where [编号]=?");
}
inline QString insert() {
    return QStringLiteral("insert into [记事本] ([内容]) values (?)");
}
} // namespace diarysql

// One row of "记事本".
struct DiaryEntry {
    qint64 key = 0; // "编号", assigned by the database
    QString text;   // "内容" exactly as stored
};

// The texts of one list row: the shown position, the entry's text and the key for the hidden list.
struct DiaryListRow {
    QString number;
    QString text;
    QString key;
};

// Every row in the order the query returns them (no ordering clause).
std::vector<DiaryEntry> readDiaryEntries(Database& db);
DiaryListRow diaryListRow(int position, const DiaryEntry& entry);

// False when the key is no key or the statement fails; a key that matches no row is a success.
bool deleteDiaryEntry(Database& db, const QString& key);
bool updateDiaryEntry(Database& db, const QString& key, const QString& text);
bool insertDiaryEntry(Database& db, const QString& text);

} // namespace orvane
