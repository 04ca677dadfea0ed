// The table of put-off rings.
#include "alarm/SnoozeStore.h"

#include "common/Database.h"
#include "common/Log.h"

#include <algorithm>

namespace orvane {

namespace {
QString joined(const QString& first, const QString& second) {
    return first + u'|' + second;
}

struct Row {
    qint64 key = 0;
    qint64 minute = 0;
    Alarm alarm;
};

std::vector<Row> readRows(Database& db) {
    std::vector<Row> rows;
    RecordSet rs = db.query(QStringLiteral("select * from [稍后提醒]"));
    for (rs.first(); !rs.atEnd(); rs.next()) {
        // The minute is written as a due text of its own: a wall-clock minute, as the alarms keep theirs.
        const AlarmTime at = alarmTime(u"仅一次", rs.text(QStringLiteral("响铃时间")));
        Row row{rs.integer(QStringLiteral("编号")), at.firstDay * 1440 + at.minuteOfDay,
                alarmFrom(rs.integer(QStringLiteral("闹钟编号")), rs.text(QStringLiteral("提醒时间")),
                          rs.text(QStringLiteral("铃声位置")), rs.text(QStringLiteral("提示文本")))};
        if (at.repeat == Repeat::Never) {
            qCWarning(lcStore) << "a put-off ring with an unreadable time is dropped:" << row.key;
            row.minute = -1; // due at once: rung rather than kept for ever
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

int snoozeMinutesFor(const QString& setting) {
    bool ok = false;
    const int minutes = setting.trimmed().toInt(&ok);
    return ok && (minutes == 5 || minutes == 10 || minutes == 15) ? minutes : 5;
}

bool SnoozeStore::add(const Alarm& alarm, qint64 minute) {
    const bool ok = db_.execute(
        QStringLiteral("insert into [稍后提醒] ([响铃时间],[闹钟编号],[提醒时间],[铃声位置],[提示文本]) "
                       "values (?,?,?,?,?)"),
        {dueText(minute), alarm.key, alarm.hasDueText ? joined(alarm.rule, alarm.dueText) : alarm.rule,
         joined(alarm.ringFlag, alarm.sound), joined(alarm.popupFlag, alarm.reminder)});
    if (!ok)
        qCWarning(lcStore) << "a put-off ring could not be stored:" << db_.lastError();
    return ok;
}

std::vector<FiredAlarm> SnoozeStore::takeDue(qint64 minute) {
    std::vector<FiredAlarm> due;
    for (const Row& row : readRows(db_)) {
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
        due.push_back({row.alarm, at, int(minute - at), true});
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const auto& a, const auto& b) { return a.minute < b.minute; });
    return due;
}

std::optional<qint64> SnoozeStore::next() {
    std::optional<qint64> earliest;
    for (const Row& row : readRows(db_))
        if (!earliest || row.minute < *earliest)
            earliest = row.minute;
    return earliest;
}

} // namespace orvane
