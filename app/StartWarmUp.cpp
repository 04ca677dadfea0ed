// The font configuration and the stored alarms, read on a thread of their own.
#include "app/StartWarmUp.h"

#include "alarm/AlarmLists.h"
#include "app/AppDatabase.h"

#include <QFileInfo>

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <utility>

namespace orvane {

std::optional<std::vector<AlarmListRow>> prefetchAlarmRows(const QString& alarmDatabase) {
    // Only a file that is there: the start-up creates a missing one, and a FIFO would block the open.
    if (alarmDatabase.isEmpty() || !QFileInfo(alarmDatabase).isFile())
        return std::nullopt;
    Database db;
    // Read-only: a foreign file stays untouched, and one that needs a migration is left to the start-up.
    if (!db.open(alarmDatabase, Database::Open::ReadOnly) || !isCurrentAlarmDatabase(db))
        return std::nullopt;
    bool complete = false;
    std::vector<AlarmListRow> rows = readAlarmRows(db, &complete);
    if (!complete)
        return std::nullopt;
    return rows;
}

StartWarmUp::StartWarmUp(const QString& alarmDatabase) {
    // Safe beside Qt: fontconfig publishes the loaded configuration atomically, and a caller that comes
    // before it is ready loads its own instead of waiting. The alarm file gets a connection of its own.
    try {
        thread_ = std::thread([this, alarmDatabase] {
            FcInit();
            rows_ = prefetchAlarmRows(alarmDatabase);
        });
    } catch (const std::system_error&) {
        // No thread to be had: Qt reads the fonts, and the start-up the alarms, when they need them.
    }
}

StartWarmUp::~StartWarmUp() {
    if (thread_.joinable())
        thread_.join();
}

std::optional<std::vector<AlarmListRow>> StartWarmUp::takeAlarmRows() {
    if (thread_.joinable())
        thread_.join();
    return std::exchange(rows_, std::nullopt);
}

} // namespace orvane
