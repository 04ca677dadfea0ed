// An hour of the main window's tick on a fake clock with an alarm due every minute: every alarm fires,
// once, in its own minute, however late, early or sparse the ticks of a busy machine come.
// bench/load-test runs it with both cores busy; on its own it is a deterministic test.
#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "TestRegistry.h"
#include "alarm/AlarmCodec.h"
#include "alarm/AlarmEngine.h"
#include "alarm/AlarmLists.h"
#include "alarm/AlarmModel.h"
#include "alarm/AlarmPage.h"
#include "alarm/AlarmTable.h"
#include "alarm/ReminderWindow.h"
#include "app/MainWindow.h"
#include "app/SecondTicker.h"
#include "common/FlagText.h"
#include "platform/IniProfile.h"
#include "platform/SystemSettings.h"
#include "resources/resources.h"

#include <QElapsedTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>
#include <random>

using namespace orvane;
using namespace orvane::test;

namespace {

constexpr int kAlarms = 60;
constexpr int kPastAlarms = 1000; // rung long ago, scanned at every new minute, as in a long-used list

struct NoKiller final : ProcessKiller {
    int endProcesses(const QStringList&) override { return 0; }
};

// Notes each ring with the minute the fake clock shows when it starts.
class MinuteSound final : public SoundPlayer {
public:
    explicit MinuteSound(const FakeClock& clock) : clock_(clock) {}
    PlayOutcome play(const QString& file, int, const RingLevel&) override {
        plays << file + QStringLiteral(" at ") + clock_.now().toString(QStringLiteral("HH:mm"));
        return PlayOutcome::Played;
    }
    void stop() override {}
    void playClip(const QByteArray&) override {}
    bool isPlaying() const override { return false; }
    QStringList plays;

private:
    const FakeClock& clock_;
};

QString ringFile(const QTime& due) {
    return QStringLiteral("/ring/") + due.toString(QStringLiteral("HH-mm"));
}

bool addAlarms(Database& db, const QDateTime& first, bool popup) {
    if (!db.execute(QStringLiteral("BEGIN")))
        return false;
    bool ok = true;
    for (int i = 0; ok && i < kPastAlarms; ++i)
        ok = db.execute(
            alarmsql::insert(),
            {QStringLiteral("仅一次|2010年3月%1日%2时%3分").arg(1 + i % 28).arg(i % 24).arg(i % 60),
             QStringLiteral("真|默认"), QStringLiteral("假|旧闹钟")});
    for (int k = 0; ok && k < kAlarms; ++k) {
        const QDateTime due = first.addSecs(60LL * k);
        ok = db.execute(alarmsql::insert(), {QString(QStringLiteral("每天|") + dueText(minuteKey(due))),
                                             QString(QStringLiteral("真|") + ringFile(due.time())),
                                             QString((popup ? QStringLiteral("真|") : QStringLiteral("假|")) +
                                                     QStringLiteral("闹钟 ") + QString::number(k + 1))});
    }
    return db.execute(ok ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK")) && ok;
}

} // namespace

class LoadHourTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvaneInitResources(); }

    void everyAlarmOfTheHourFires_data() {
        QTest::addColumn<int>("lateMaxMs");  // each tick lands 0..lateMaxMs after the second it aimed at
        QTest::addColumn<int>("earlyEvery"); // every n-th tick wakes 30 ms early and reads the old second
        QTest::addColumn<bool>("autoDelete");
        QTest::addColumn<bool>("popup");
        QTest::newRow("alarm lost with ticks on time") << 0 << 0 << false << false;
        QTest::newRow("alarm lost to ticks up to 0.9 s late") << 900 << 0 << false << false;
        QTest::newRow("alarm lost when late ticks skip second 0") << 2500 << 0 << false << false;
        QTest::newRow("alarm lost or doubled by early ticks repeating a second")
            << 300 << 3 << false << false;
        QTest::newRow("alarm lost when the automatic delete shifts the rows") << 900 << 0 << true << false;
        QTest::newRow("alarm lost or late when each reminder is closed in its minute")
            << 900 << 0 << false << true;
    }
    void everyAlarmOfTheHourFires() {
        QFETCH(int, lateMaxMs);
        QFETCH(int, earlyEvery);
        QFETCH(bool, autoDelete);
        QFETCH(bool, popup);
        TempDir dir;
        FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(8, 0, 30)));
        const QDateTime start = clock.now();
        ScriptedDialogs dialogs;
        MinuteSound sound(clock);
        Paths paths = Paths::under(dir.path());
        QVERIFY(paths.makeFolders());
        Registry registry(paths);
        NoKiller killer;
        SystemSettings settings(paths);
        settings.setAutoDelete(autoDelete);
        Services services;
        services.paths = paths;
        services.settings = &settings;
        services.clock = &clock;
        services.dialogs = &dialogs;
        services.registry = &registry;
        services.sound = &sound;
        services.killer = &killer;
        auto w = std::make_unique<MainWindow>(services);
        QVERIFY(w->StartUp());
        w->finishStartUp();
        const QDateTime first(start.date(), QTime(8, 1));
        QVERIFY(addAlarms(w->database(), first, popup));
        w->engine().reload();

        // The ticker's own aim (a few ms past the next second), missed by the machine's delays.
        std::mt19937 random(20261207);
        std::uniform_int_distribution<int> late(0, lateMaxMs);
        const QDateTime end = start.addMSecs(3600 * 1000 + 500); // 3,600 ticks when on time
        QElapsedTimer wall;
        wall.start();
        int ticks = 0;
        while (true) {
            int delay = SecondTicker::delayToNextSecond(clock.now()) + late(random);
            if (earlyEvery > 0 && ticks % earlyEvery == earlyEvery - 1)
                delay = std::max(1, delay - 30);
            clock.advanceMs(delay);
            if (clock.now() > end)
                break;
            w->onTick();
            ++ticks;
            // The user reads each reminder and closes it: the next alarm's ring waits for that.
            if (ReminderWindow* reminder = w->reminder())
                reminder->close();
        }
        const qint64 ms = wall.elapsed();

        QStringList expected;
        for (int k = 0; k < kAlarms; ++k) {
            const QTime due = first.addSecs(60LL * k).time();
            expected << ringFile(due) + QStringLiteral(" at ") + due.toString(QStringLiteral("HH:mm"));
        }
        QCOMPARE(sound.plays, expected);
        QCOMPARE(w->alarmPage()->lists().shown->topLevelItemCount(),
                 kPastAlarms + (autoDelete ? 0 : kAlarms));
        qInfo("simulated hour: %d ticks, %lld of %d alarms fired, %lld ms wall", ticks,
              qint64(sound.plays.size()), kAlarms, ms);
    }
};

ORVANE_TEST(LoadHourTest)
#include "test_LoadHour.moc"
