// Creation, check and step-by-step migration of the alarm database.
#include "app/AppDatabase.h"

#include "alarm/AlarmTable.h"
#include "alarm/SkipStore.h"
#include "alarm/SnoozeStore.h"
#include "common/Log.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace orvane {

namespace {

// The alarm table's own statement comes from the alarm model, which owns that table.
const char kOtherTables[] = R"(
CREATE TABLE [记事本] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [内容] TEXT);
CREATE TABLE [登陆次数] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [登陆次数] INTEGER NOT NULL);
INSERT INTO [登陆次数] ([登陆次数]) VALUES (0);
)";

struct TableShape {
    const char* table;
    std::vector<const char*> columns;
};

const std::vector<TableShape>& expectedTables() {
    static const std::vector<TableShape> tables{
        {"配置", {"编号", "提醒时间", "铃声位置", "提示文本"}},
        {"记事本", {"编号", "内容"}},
        {"登陆次数", {"编号", "登陆次数"}},
    };
    return tables;
}

bool hasTable(Database& db, const TableShape& shape) {
    RecordSet info =
        db.query(QStringLiteral("select name from pragma_table_info(?)"), {QString::fromUtf8(shape.table)});
    QStringList names;
    for (info.first(); !info.atEnd(); info.next())
        names << info.text(QStringLiteral("name"));
    for (const char* column : shape.columns)
        if (!names.contains(QString::fromUtf8(column)))
            return false;
    return true;
}

// The version, or none; *busy tells whether another program's lock stood in the way.
std::optional<int> userVersion(Database& db, bool* busy) {
    RecordSet rs = db.query(QStringLiteral("PRAGMA user_version"));
    *busy = rs.isValid() ? Database::isBusyCode(rs.errorCode()) : db.lastFailureWasBusy();
    if (!rs.isValid() || rs.failed() || rs.atEnd())
        return std::nullopt;
    return int(rs.integer(QStringLiteral("user_version")));
}

// One function per schema step: migrations[i] takes version i+1 to i+2.
const std::vector<std::function<bool(Database&)>>& migrations() {
    static const std::vector<std::function<bool(Database&)>> steps{
        // 2: the rings put off by "稍后提醒".
        [](Database& db) { return db.execute(snoozesql::createTable()); },
    };
    return steps;
}

bool migrate(Database& db, int from) {
    if (from >= kSchemaVersion)
        return true;
    if (!db.execute(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    bool ok = true;
    for (int v = std::max(from, 1); ok && v < kSchemaVersion; ++v)
        ok = migrations().at(size_t(v - 1))(db);
    ok = ok && db.execute(QStringLiteral("PRAGMA user_version=") + QString::number(kSchemaVersion));
    if (ok)
        return db.execute(QStringLiteral("COMMIT"));
    db.execute(QStringLiteral("ROLLBACK"));
    return false;
}

} // namespace

bool ensureDatabaseFile(const QString& path) {
    if (QFileInfo::exists(path))
        return true;
    const QString building = path + QStringLiteral(".new");
    QFile::remove(building);
    QFile::remove(building + QStringLiteral("-journal"));
    {
        Database db;
        if (!db.open(building, Database::Open::CreateIfMissing))
            return false;
        const QString script = QStringLiteral("BEGIN;") + alarmsql::createTable() + snoozesql::createTable() +
                               skipsql::createTable() + QString::fromUtf8(kOtherTables) +
                               QStringLiteral("PRAGMA user_version=") + QString::number(kSchemaVersion) +
                               QStringLiteral(";COMMIT;");
        if (!db.executeScript(script)) {
            db.close();
            QFile::remove(building);
            return false;
        }
    }
    // rename(2) replaces nothing here (the target is absent) and is atomic.
    if (std::rename(QFile::encodeName(building).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(building);
        return false;
    }
    return true;
}

DatabaseOpen openAlarmDatabase(Database& db, const QString& path, int busyWaitMs) {
    // The user is told only that the file cannot be used; the log says why. Another program's lock says
    // nothing of the file: that is no refusal.
    const auto refuse = [&](const QString& why, bool busy = false) {
        busy = busy || db.lastFailureWasBusy();
        // The wait for a busy file says so itself, once.
        if (busy)
            qCDebug(lcStore).noquote() << path << "is busy -" << why;
        else
            qCWarning(lcStore).noquote() << "not using" << path << "-" << why;
        db.close();
        return busy ? DatabaseOpen::Busy : DatabaseOpen::NotOurs;
    };
    if (!QFileInfo(path).isFile())
        return refuse(QStringLiteral("not a file"));
    if (!db.open(path, Database::Open::ExistingOnly))
        return refuse(db.lastError());
    db.setBusyTimeout(busyWaitMs);
    // Only reads until the file is known to be ours: a foreign file must stay untouched.
    bool busy = false;
    const std::optional<int> read = userVersion(db, &busy);
    if (!read)
        return refuse((busy ? QStringLiteral("busy: ") : QStringLiteral("not a database: ")) + db.lastError(),
                      busy);
    const int version = *read;
    if (version > kSchemaVersion)
        return refuse(QStringLiteral("written by a newer version (schema %1)").arg(version));
    for (const TableShape& shape : expectedTables())
        if (!hasTable(db, shape))
            return refuse(QStringLiteral("no table ") + QString::fromUtf8(shape.table) +
                          QStringLiteral(" with the expected columns"));
    if (!migrate(db, version))
        return refuse(QStringLiteral("cannot be brought up to date: ") + db.lastError());
    // Tables that only add to the file come without a version step, so that an older version still opens
    // it (it leaves them alone).
    if (!db.execute(skipsql::createTable()))
        qCWarning(lcStore) << "the table of skipped rings could not be added:" << db.lastError();
    db.setBusyTimeout(2000);
    return DatabaseOpen::Opened;
}

} // namespace orvane
