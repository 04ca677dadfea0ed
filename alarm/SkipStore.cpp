// The table of skipped rings.
#include "alarm/SkipStore.h"

#include "alarm/AlarmCodec.h"
#include "common/Database.h"
#include "common/Log.h"

namespace orvane {

bool SkipStore::load(qint64 nowMinute) {
    RecordSet rs = db_.query(QStringLiteral("select * from [跳过响铃]"));
    if (!rs.isValid())
        return false;
    QHash<qint64, qint64> skips;
    QList<qint64> past;
    for (rs.first(); !rs.atEnd(); rs.next()) {
        const std::optional<qint64> minute = readDueText(rs.text(QStringLiteral("响铃时间")));
        if (minute && *minute >= nowMinute)
            skips.insert(rs.integer(QStringLiteral("闹钟编号")), *minute);
        else
            past << rs.integer(QStringLiteral("编号"));
    }
    if (rs.failed()) {
        qCWarning(lcStore) << "the skipped rings could not be read:" << rs.errorText();
        return false;
    }
    rs.close();
    skips_ = skips;
    // A skip whose minute passed while the program was not running is of no use any more.
    for (qint64 row : past)
        if (!db_.execute(QStringLiteral("delete from [跳过响铃] where [编号]=?"), {row}))
            qCWarning(lcStore) << "an old skipped ring could not be removed:" << db_.lastError();
    return true;
}

bool SkipStore::skip(qint64 alarmKey, qint64 minute) {
    const bool ok = db_.execute(QStringLiteral("BEGIN")) &&
                    db_.execute(QStringLiteral("delete from [跳过响铃] where [闹钟编号]=?"), {alarmKey}) &&
                    db_.execute(QStringLiteral("insert into [跳过响铃] ([闹钟编号],[响铃时间]) values (?,?)"),
                                {alarmKey, dueText(minute)}) &&
                    db_.execute(QStringLiteral("COMMIT"));
    if (!ok) {
        qCWarning(lcStore) << "the skip of alarm" << alarmKey << "could not be stored:" << db_.lastError();
        db_.execute(QStringLiteral("ROLLBACK"));
        return false;
    }
    skips_.insert(alarmKey, minute);
    return true;
}

bool SkipStore::restore(qint64 alarmKey) {
    if (!skips_.contains(alarmKey))
        return true;
    if (!db_.execute(QStringLiteral("delete from [跳过响铃] where [闹钟编号]=?"), {alarmKey})) {
        qCWarning(lcStore) << "the skip of alarm" << alarmKey
                           << "could not be taken back:" << db_.lastError();
        return false;
    }
    skips_.remove(alarmKey);
    return true;
}

std::optional<qint64> SkipStore::skipped(qint64 alarmKey) const {
    const auto it = skips_.constFind(alarmKey);
    return it == skips_.constEnd() ? std::nullopt : std::optional(*it);
}

void SkipStore::dropBefore(qint64 minute) {
    QList<qint64> past;
    for (auto it = skips_.constBegin(); it != skips_.constEnd(); ++it)
        if (*it < minute)
            past << it.key();
    for (qint64 key : past)
        restore(key);
}

bool SkipStore::take(qint64 alarmKey, qint64 minute) {
    if (skipped(alarmKey) != minute)
        return false;
    restore(alarmKey);
    return true;
}

} // namespace orvane
