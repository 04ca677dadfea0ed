// Reading and writing the diary table with bound parameters.
#include "diary/DiaryStore.h"

#include "common/Log.h"
#include "common/NumberText.h"

namespace orvane {

namespace {

qint64 keyOf(const QVariant& value) {
    // A key stored as a floating value is cut toward zero, not rounded.
    if (value.typeId() == QMetaType::Double)
        return truncToInt(value.toDouble());
    return value.toLongLong();
}

// The window says nothing when a change is refused; the log keeps the reason.
bool refused(const char* what, const QString& key, const QString& why) {
    qCWarning(lcStore).noquote() << what << key << "was refused:" << why;
    return false;
}

} // namespace

std::vector<DiaryEntry> readDiaryEntries(Database& db) {
    std::vector<DiaryEntry> entries;
    RecordSet rs = db.query(diarysql::selectAll());
    if (!rs.isValid())
        qCWarning(lcStore) << "cannot read the diary:" << db.lastError();
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
    if (!k)
        return refused("deleting diary entry", key, QStringLiteral("no such key"));
    return db.execute(diarysql::deleteByKey(), {*k}) || refused("deleting diary entry", key, db.lastError());
}

bool updateDiaryEntry(Database& db, const QString& key, const QString& text) {
    const std::optional<qint64> k = rowKey(key);
    if (!k)
        return refused("changing diary entry", key, QStringLiteral("no such key"));
    return db.execute(diarysql::update(), {text, *k}) || refused("changing diary entry", key, db.lastError());
}

bool insertDiaryEntry(Database& db, const QString& text) {
    return db.execute(diarysql::insert(), {text}) ||
           refused("adding a diary entry", QString(), db.lastError());
}

} // namespace orvane
