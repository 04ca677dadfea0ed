// The crash test's saves through the program's own store code, and the check of what must survive a kill.
#pragma once

#include "common/Database.h"
#include "platform/Paths.h"

#include <QByteArray>
#include <QStringList>

#include <functional>

namespace orvane::crash {

// The stored texts of one saved alarm or diary entry, all derived from its tag "<run>-<round>", so
// the check knows every field exactly. Every seventh round stores a long text that spans pages.
QString alarmDue(const QString& tag);
QString alarmRing(const QString& tag);
QString alarmPrompt(const QString& tag);
QString diaryText(const QString& tag);

// The settings key counted up by the loop, and the keys written with fixed values at every start.
QString counterKey();
QList<std::pair<QString, QString>> fixedSettings();

// The program's start-up on the store: the database file created when missing, opened and checked,
// the start counted; then the settings written as the settings page writes them. 0 on failure, else
// the start count (which makes the tags of this run).
qint64 openStore(const Paths& paths, Database& db);

// Saves rounds of one alarm, one diary entry, an update of a scratch alarm and a settings counter
// (every third round also a registry value), reporting each save only after it returned success:
// "alarm <tag>", "diary <tag>", "ini <n>", "registry <n>". rounds < 0: until killed. False at a failure.
bool saveLoop(const Paths& paths, Database& db, qint64 run, int rounds,
              const std::function<void(const QByteArray&)>& report);

// What the log of every run says was saved.
struct Reported {
    QStringList alarms, diary;
    qint64 counter = -1, registry = -1; // the last value reported written, -1 for none
    QStringList unreadable;             // lines that are none of the above
    bool anything() const { return !alarms.isEmpty() || !diary.isEmpty() || counter >= 0 || registry >= 0; }
};
Reported readReported(const QByteArray& log);

// Every way the stored files fall short of what was reported; empty when all of it survived.
QStringList checkStore(const Paths& paths, const Reported& reported);

// Temporary files of interrupted atomic writes left beside the stores (litter, not loss).
int leftoverFiles(const Paths& paths);

} // namespace orvane::crash
