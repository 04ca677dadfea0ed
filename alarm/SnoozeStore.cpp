// The table of put-off rings.
#include "alarm/SnoozeStore.h"

#include "alarm/AlarmCodec.h"
#include "common/Database.h"
#include "common/Log.h"

#include <algorithm>

namespace orvane {

namespace {

const QString kSelectAll = QStringLiteral("select * from [稍后提醒]");

struct Row {
    qint64 key = 0;
    qint64 minute = 0;
    Alarm alarm;
};

// The put-off rings in the table; none when it could not be read.
std::optional<std::vector<Row>> readRows(Database& db, const QString& where = {},
                                         const QVariantList& params = {}) {
    RecordSet rs = db.query(kSelectAll + where, params);
    if (!rs.isValid())
        return std::nullopt;
    std::vector<Row> rows;
    for (rs.first(); !rs.atEnd(); rs.next()) {
        // The minute is written as a due text of its own: a wall-clock minute, as the alarms keep theirs.
        const std::optional<qint64> minute = readDueText(rs.text(QStringLiteral("响铃时间")));
        Row row{
            rs.integer(QStringLiteral("编号")), minute.value_or(-1),
            decodeAlarm(rs.integer(QStringLiteral("闹钟编号")),
                        AlarmTexts{rs.text(QStringLiteral("提醒时间")), rs.text(QStringLiteral("铃声位置")),
                                   rs.text(QStringLiteral("提示文本"))})};
        if (!minute)
            qCWarning(lcStore) << "a put-off ring with an unreadable time rings at once:" << row.key;
        rows.push_back(std::move(row));
    }
    if (rs.failed()) {
        qCWarning(lcStore) << "the put-off rings could not be read:" << rs.errorText();
        return std::nullopt;
    }
    return rows;
}

} // namespace

bool SnoozeStore::load() {
    const std::optional<std::vector<Row>> rows = readRows(db_);
    if (!rows)
        return false;
    pending_.clear();
    std::erase_if(pending_, [](const Pending& p) { return p.row != 0; });
    for (const Row& row : *rows)
        pending_.push_back({row.key, row.alarm.key, row.minute, std::nullopt});
    return true;
}

bool SnoozeStore::add(const Alarm& alarm, qint64 minute) {
    const bool ok = db_.execute(
        QStringLiteral("insert into [稍后提醒] ([响铃时间],[闹钟编号],[提醒时间],[铃声位置],[提示文本]) "
                       "values (?,?,?,?,?)"),
        {dueText(minute), alarm.key, alarm.texts.due, alarm.texts.ring, alarm.texts.prompt});
    if (!ok) {
        qCWarning(lcStore)
            << "a put-off ring could not be stored, it rings only if the program keeps running:"
            << db_.lastError();
        pending_.push_back({0, alarm.key, minute, alarm});
        return false;
    }
    pending_.push_back({db_.lastInsertId(), alarm.key, minute, std::nullopt});
    return true;
}

std::vector<FiredAlarm> SnoozeStore::takeDue(qint64 minute) {
    std::vector<FiredAlarm> due;
    for (auto p = pending_.begin(); p != pending_.end();) {
        if (p->unstored && p->minute <= minute) {
            due.push_back({*p->unstored, p->minute, int(minute - p->minute), true});
            p = pending_.erase(p);
        } else {
            ++p;
        }
    }
    // Only the table knows the other alarms' texts; it is read when one of them is due.
    if (std::none_of(pending_.begin(), pending_.end(),
                     [minute](const Pending& p) { return p.minute <= minute; })) {
        std::stable_sort(due.begin(), due.end(),
                         [](const auto& a, const auto& b) { return a.minute < b.minute; });
        return due;
    }
    const std::optional<std::vector<Row>> rows = readRows(db_);
    if (!rows)
        return due; // read again at the next scan
    for (const Row& row : *rows) {
        if (row.minute > minute)
            continue;
        const qint64 at = row.minute < 0 ? minute : row.minute;
        // Handed out only once it has left the table: a ring that cannot be deleted would ring again
        // at every minute.
        if (!db_.execute(QStringLiteral("delete from [稍后提醒] where [编号]=?"), {row.key}) ||
            db_.changes() == 0) {
            qCWarning(lcStore) << "a put-off ring could not be taken from the table:" << db_.lastError();
            continue;
        }
        std::erase_if(pending_, [&row](const Pending& p) { return p.row == row.key; });
        due.push_back({row.alarm, at, int(minute - at), true});
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const auto& a, const auto& b) { return a.minute < b.minute; });
    return due;
}

bool SnoozeStore::cancel(qint64 alarmKey) {
    if (!nextOf(alarmKey))
        return true;
    std::erase_if(pending_, [alarmKey](const Pending& p) { return p.alarm == alarmKey && p.unstored; });
    if (!db_.execute(QStringLiteral("delete from [稍后提醒] where [闹钟编号]=?"), {alarmKey})) {
        qCWarning(lcStore) << "the put-off ring of alarm" << alarmKey
                           << "could not be cancelled:" << db_.lastError();
        return false;
    }
    std::erase_if(pending_, [alarmKey](const Pending& p) { return p.alarm == alarmKey; });
    return true;
}

std::optional<qint64> SnoozeStore::next() const {
    std::optional<qint64> earliest;
    for (const Pending& p : pending_)
        if (!earliest || p.minute < *earliest)
            earliest = p.minute;
    return earliest;
}

std::optional<qint64> SnoozeStore::nextOf(qint64 alarmKey) const {
    std::optional<qint64> earliest;
    for (const Pending& p : pending_)
        if (p.alarm == alarmKey && (!earliest || p.minute < *earliest))
            earliest = p.minute;
    return earliest;
}

} // namespace orvane
