// A temporary folder with the program's own database file, made as at a first start, its settings, and
// the alarm engine over them with a fake clock and a recording player (program: link orvane_alarm_fixture).
#pragma once

#include "FakeClock.h"
#include "RecordingSoundPlayer.h"
#include "TempDir.h"
#include "alarm/AlarmCodec.h"
#include "alarm/AlarmEngine.h"
#include "alarm/AlarmTable.h"
#include "alarm/FiredAlarm.h"
#include "app/AppDatabase.h"
#include "common/Database.h"
#include "platform/Paths.h"
#include "platform/SystemSettings.h"

#include <QtTest>

#include <memory>

namespace orvane::test {

// "yyyy-MM-dd HH:mm:ss" in local time.
inline QDateTime at(const QString& text) {
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

struct AlarmFixture {
    TempDir dir;
    Paths paths = Paths::under(dir.path());
    Database db;
    SystemSettings settings{paths};
    FakeClock clock{at(QStringLiteral("2010-05-03 08:29:30"))};
    RecordingSoundPlayer sound;
    bool ready = false;

    AlarmFixture() {
        const QString file = paths.windowsFile(QStringLiteral("dbtime.mdb"));
        ready = paths.makeFolders() && ensureDatabaseFile(file) &&
                openAlarmDatabase(db, file) == DatabaseOpen::Opened;
    }
    // Stores one alarm ("提醒时间;铃声位置;提示文本", or with a key of its own) and returns its key.
    qint64 insert(const QString& texts) {
        const QStringList f = texts.split(u';');
        db.execute(alarmsql::insert(), {f.value(0), f.value(1), f.value(2)});
        return db.lastInsertId();
    }
    bool insert(qint64 key, const QString& due, const QString& ring, const QString& prompt) {
        return db.execute(
            QStringLiteral("insert into [配置] ([编号],[提醒时间],[铃声位置],[提示文本]) values (?,?,?,?)"),
            {key, due, ring, prompt});
    }
    std::vector<AlarmRecord> rows() { return readAlarmRecords(db); }

    // An engine made at the clock's time, as the program makes it at its start, started at once.
    std::unique_ptr<AlarmEngine> engine(Notifier* notifier = nullptr, SoundServerFactory soundServer = {}) {
        auto made = std::make_unique<AlarmEngine>(
            db, AlarmEngine::Parts{clock, sound, paths, settings, notifier, {}, std::move(soundServer)});
        made->start();
        return made;
    }
};

// Alarm 1 ("提醒时间;铃声位置;提示文本") as fired at the minute of `when`, on time.
inline FiredAlarm fired(const QString& texts, const QString& when = QStringLiteral("2010-05-03 08:30:00")) {
    const QStringList f = texts.split(u';');
    return {decodeAlarm(1, {f.value(0), f.value(1), f.value(2)}), minuteKey(at(when)), 0};
}

} // namespace orvane::test
