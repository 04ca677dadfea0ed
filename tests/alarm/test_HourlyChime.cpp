// The hourly chime's player: its tick moments and setting, the timer chain's delays, and no overlap.
#include "RecordingSoundPlayer.h"
#include "TempDir.h"
#include "TestRegistry.h"
#include "alarm/HourlyChime.h"
#include "platform/SystemSettings.h"
#include "resources/resources.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>

#include <functional>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Timers the test runs by hand: records each delay and runs the callbacks only when told.
struct FakeTimers {
    QList<int> delays;
    QList<std::function<void()>> due;
    HourlyChime::Schedule schedule() {
        return [this](int ms, std::function<void()> then) {
            delays.append(ms);
            due.append(std::move(then));
        };
    }
    void runOne() { due.takeFirst()(); }
    void runAll() {
        while (!due.isEmpty())
            runOne();
    }
};

const QStringList kClipFiles{u"phrase-0"_s, u"phrase-1"_s, u"phrase-2"_s, u"phrase-3"_s, u"phrase-4"_s,
                             u"phrase-5"_s, u"digit-0"_s,  u"digit-1"_s,  u"digit-2"_s,  u"digit-3"_s,
                             u"digit-4"_s,  u"digit-5"_s,  u"digit-6"_s,  u"digit-7"_s,  u"digit-8"_s,
                             u"digit-9"_s,  u"ten"_s};

QByteArray clipFile(const QString& name) {
    QFile f(u":/voice/"_s + name + u".wav"_s);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The played clips named by comparing their bytes with the carried files.
QStringList played(const RecordingSoundPlayer& sound) {
    QStringList names;
    for (const QByteArray& clip : sound.clips()) {
        QString name = u"?"_s;
        for (const QString& file : kClipFiles)
            if (clipFile(file) == clip)
                name = file;
        names.append(name);
    }
    return names;
}

// The wait plus the 50 ms gap, from the data size at its fixed place in the clip's canonical header.
int expectedDelay(const QString& name) {
    const QByteArray wav = clipFile(name);
    const int rate = name == u"phrase-0" ? 11025 : 10000;
    return qRound(qFromLittleEndian<quint32>(wav.constData() + 40) * 1000.0 / rate) + 50;
}

// Settings over a temporary folder, the chime off unless switched on.
struct Settings {
    TempDir dir;
    Paths paths = Paths::under(dir.path());
    SystemSettings settings{paths};
    explicit Settings(bool chime = false) {
        paths.makeFolders();
        if (chime)
            settings.setHourlyChime(true);
    }
};
const QStringList kEightOClock{u"phrase-0"_s, u"phrase-1"_s, u"digit-0"_s,
                               u"digit-8"_s,  u"phrase-3"_s, u"phrase-2"_s};

} // namespace

class HourlyChimeTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        orvaneInitResources();
        for (const QString& file : kClipFiles)
            QVERIFY2(!clipFile(file).isEmpty(), qPrintable(file));
    }

    void chain_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QStringList>("clips");
        QTest::newRow("08:00:00 full hour") << QTime(8, 0) << kEightOClock;
        QTest::newRow("14:30:00 half hour")
            << QTime(14, 30)
            << QStringList{u"phrase-0"_s, u"phrase-1"_s, u"ten"_s,      u"digit-4"_s, u"phrase-3"_s,
                           u"digit-3"_s,  u"ten"_s,      u"phrase-4"_s, u"phrase-2"_s};
        QTest::newRow("21:07:00 exact form")
            << QTime(21, 7) << QStringList{u"phrase-0"_s, u"phrase-1"_s, u"digit-2"_s, u"ten"_s,
                                           u"digit-1"_s,  u"phrase-3"_s, u"digit-0"_s, u"digit-7"_s,
                                           u"phrase-4"_s, u"phrase-5"_s, u"phrase-2"_s};
    }
    // Each clip starts when the one before has ended plus 50 ms; the call itself never waits.
    void chain() {
        QFETCH(QTime, time);
        QFETCH(QStringList, clips);
        RecordingSoundPlayer sound;
        FakeTimers timers;
        Settings off;
        HourlyChime chime(sound, off.settings, timers.schedule());
        QVERIFY(chime.AnnounceTime(time));
        QCOMPARE(played(sound), clips.first(1)); // returned after starting the first clip only
        QVERIFY(chime.announcing());
        timers.runAll();
        QCOMPARE(played(sound), clips);
        QList<int> delays;
        for (const QString& clip : clips)
            delays.append(expectedDelay(clip));
        QCOMPARE(timers.delays, delays);
        QVERIFY(!chime.announcing());
    }

    void noOverlap() {
        RecordingSoundPlayer sound;
        FakeTimers timers;
        Settings off;
        HourlyChime chime(sound, off.settings, timers.schedule());
        QVERIFY(chime.AnnounceTime(QTime(8, 0)));
        timers.runOne();
        QVERIFY2(!chime.AnnounceTime(QTime(8, 30)), "a second announcement must wait for the first");
        timers.runAll();
        QCOMPARE(played(sound), kEightOClock);
        // Once finished, the next announcement is allowed again.
        QVERIFY(chime.AnnounceTime(QTime(8, 30)));
        QCOMPARE(played(sound).size(), kEightOClock.size() + 1);
    }

    void silentTimeStartsNothing() {
        RecordingSoundPlayer sound;
        FakeTimers timers;
        Settings off;
        HourlyChime chime(sound, off.settings, timers.schedule());
        QVERIFY(!chime.AnnounceTime(QTime(10, 0, 30)));
        QVERIFY(!chime.announcing());
        QVERIFY(sound.clips().isEmpty());
        QVERIFY(timers.due.isEmpty());
    }

    // With the real timers the call returns at once, having started the intro only.
    void realTimersDoNotBlock() {
        RecordingSoundPlayer sound;
        Settings off;
        HourlyChime chime(sound, off.settings);
        QVERIFY(chime.AnnounceTime(QTime(21, 7)));
        QCOMPARE(sound.clips().size(), 1);
        QVERIFY(chime.announcing());
    }

    void tick_data() {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QStringList>("ticks"); // hh:mm:ss.zzz, in order
        QTest::addColumn<QStringList>("clips");
        const QStringList halfPast8{u"phrase-0"_s, u"phrase-1"_s, u"digit-0"_s,  u"digit-8"_s, u"phrase-3"_s,
                                    u"digit-3"_s,  u"ten"_s,      u"phrase-4"_s, u"phrase-2"_s};
        const auto ticks = [](std::initializer_list<const char*> times) {
            QStringList list;
            for (const char* t : times)
                list << QString::fromLatin1(t);
            return list;
        };
        QTest::newRow("on: the full hour announces") << true << ticks({"08:00:00.000"}) << kEightOClock;
        QTest::newRow("on: a tick a few ms after the second still counts")
            << true << ticks({"08:00:00.015"}) << kEightOClock;
        QTest::newRow("on: the half hour announces the minutes")
            << true << ticks({"08:30:00.000"}) << halfPast8;
        QTest::newRow("on: a late first tick of the minute still announces, in the full-hour form")
            << true << ticks({"07:59:59.005", "08:00:01.300"}) << kEightOClock;
        QTest::newRow("on: the later ticks of the minute say nothing more")
            << true << ticks({"07:59:59.005", "08:00:00.005", "08:00:01.005", "08:00:59.005"})
            << kEightOClock;
        QTest::newRow("on: a jump over the full hour says nothing")
            << true << ticks({"07:59:59.005", "08:01:00.005"}) << QStringList();
        QTest::newRow("on: the start's own tick at 08:00:30 is silent")
            << true << ticks({"08:00:30.000"}) << QStringList();
        QTest::newRow("on: another minute never takes the exact form")
            << true << ticks({"08:15:00.000"}) << QStringList();
        QTest::newRow("on: minute 59 is silent") << true << ticks({"08:59:00.000"}) << QStringList();
        QTest::newRow("off: the full hour is silent") << false << ticks({"08:00:00.000"}) << QStringList();
    }
    void tick() {
        QFETCH(bool, on);
        QFETCH(QStringList, ticks);
        QFETCH(QStringList, clips);
        Settings settings(on);
        RecordingSoundPlayer sound;
        FakeTimers timers;
        HourlyChime chime(sound, settings.settings, timers.schedule());
        for (const QString& t : ticks) {
            chime.HourlyChimeTick(QDateTime(QDate(2024, 3, 1), QTime::fromString(t, u"HH:mm:ss.zzz"_s)));
            timers.runAll();
        }
        QCOMPARE(played(sound), clips);
    }

    // Stopping drops the clips still to come; the next announcement may start afterwards.
    void stopEndsTheWholeAnnouncement() {
        RecordingSoundPlayer sound;
        FakeTimers timers;
        Settings off;
        HourlyChime chime(sound, off.settings, timers.schedule());
        QVERIFY(chime.AnnounceTime(QTime(8, 0)));
        timers.runOne();
        chime.stop();
        QVERIFY(!chime.announcing());
        timers.runAll(); // the timer already set finds its chain outdated
        QCOMPARE(played(sound), kEightOClock.first(2));
        QVERIFY(chime.AnnounceTime(QTime(8, 0)));
        timers.runAll();
        QCOMPARE(played(sound), kEightOClock.first(2) + kEightOClock);
    }

    // The setting counts at each announcing tick, so switching it on counts from the next half hour.
    void settingReadAtEachTick() {
        Settings settings;
        RecordingSoundPlayer sound;
        FakeTimers timers;
        HourlyChime chime(sound, settings.settings, timers.schedule());
        chime.HourlyChimeTick(QDateTime(QDate(2024, 3, 1), QTime(7, 30)));
        QVERIFY(sound.clips().isEmpty());
        settings.settings.setHourlyChime(true);
        chime.HourlyChimeTick(QDateTime(QDate(2024, 3, 1), QTime(8, 0)));
        timers.runAll();
        QCOMPARE(played(sound), kEightOClock);
        settings.settings.setHourlyChime(false);
        chime.HourlyChimeTick(QDateTime(QDate(2024, 3, 1), QTime(8, 30)));
        QCOMPARE(played(sound), kEightOClock);
    }
};

ORVANE_TEST(HourlyChimeTest)
#include "test_HourlyChime.moc"
