// Reading and writing the diary table with bound parameters.
#include "diary/DiaryStore.h"

#include "common/NumberText.h"

namespace orvane {

namespace {

qint64 keyOf(const QVariant& value) {
    // A key stored as a floating value is cut toward zero, not rounded.
    if (value.typeId() == QMetaType::Double)
        return truncToInt(value.toDouble());
    return value.toLongLong();
}

} // namespace

std::vector<DiaryEntry> readDiaryEntries(Database& db) {
    std::vector<DiaryEntry> entries;
    RecordSet rs = db.query(diarysql::selectAll());
    for (rs.first(); !rs.atEnd(); rs.next())
        entries.push_back({keyOf(rs.field(QStringLiteral("编号"))), rs.text(QStringLiteral("内容"))});
    rs.close();
    return entries;
}

DiaryListRow diaryListRow(int position, const DiaryEntry& entry) {
    return {intText(position), entry.text, intText(entry.key)};
}

bool deleteDiaryEntry(Database& db, const QString& key) {
    const std::optional<qint64> k = rowKey(key);
    return k && db.execute(diarysql::deleteByKey(), {*k});
}

bool updateDiaryEntry(Database& db, const QString& key, const QString& text) {
    const std::optional<qint64> k = rowKey(key);
    return k && db.execute(diarysql::update(), {text, *k});
}

bool insertDiaryEntry(Database& db, const QString& text) {
    return db.execute(diarysql::insert(), {text});
}

} // namespace orvane
