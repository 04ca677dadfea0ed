// With no usable sound device the real SDL player must fall back to silence: an alarm still rings (its
// reminder shows and says that no sound can be played), the chime still runs its clips, and nothing
// crashes or hangs.
#include "FakeServices.h"
#include "TempDir.h"
#include "TestRegistry.h"
#include "alarm/AlarmEngine.h"
#include "alarm/HourlyChime.h"
#include "alarm/ReminderWindow.h"
#include "app/MainWindow.h"
#include "platform/SdlSoundPlayer.h"
#include "platform/SystemSettings.h"
#include "resources/resources.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <SDL.h>

#include <functional>
#include <memory>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Far below anything a hang would take: every step here returns at once on a silent device.
constexpr qint64 kPromptMs = 5000;

// SDL reads these when the player first opens the audio device; the test restores them afterwards.
class AudioEnvironment {
public:
    AudioEnvironment(const QByteArray& driver, const QByteArray& diskFile) {
        qputenv("SDL_AUDIODRIVER", driver);
        qputenv("SDL_DISKAUDIOFILE", diskFile);
    }
    ~AudioEnvironment() {
        qunsetenv("SDL_AUDIODRIVER");
        qunsetenv("SDL_DISKAUDIOFILE");
    }
};

QString currentDriver() {
    const char* name = SDL_GetCurrentAudioDriver();
    return name ? QString::fromUtf8(name) : u"<none>"_s;
}

} // namespace

class NoSoundDeviceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvaneInitResources(); }

    void devices_data() {
        QTest::addColumn<QByteArray>("driver");
        QTest::addColumn<QString>("diskFile"); // relative to the test's folder
        QTest::newRow("driver SDL does not know: must fall back, not stay closed")
            << QByteArray("orvane-no-such-driver") << u"dev.raw"_s;
        QTest::newRow("device that cannot be opened: no retry loop, no crash")
            << QByteArray("disk") << u"missing-folder/dev.raw"_s;
    }

    // An alarm due at 08:30 rings through MainWindow and the real player, then is stopped.
    void alarmRingsSilently_data() { devices_data(); }
    void alarmRingsSilently() {
        QFETCH(QByteArray, driver);
        QFETCH(QString, diskFile);
        FakeServices f{QDateTime(QDate(2026, 12, 7), QTime(8, 29, 58))};
        AudioEnvironment env(driver, QFile::encodeName(f.dir.file(diskFile)));
        {
            SdlSoundPlayer sound;
            MainWindow w(f.services(&sound));
            QVERIFY(w.StartUp());
            QVERIFY(w.database().execute(u"insert into [配置] ([提醒时间],[铃声位置],[提示文本]) "
                                         "values ('每天|2026年12月7日08时30分','真|默认','真|开会')"_s));
            w.engine().reload();

            QElapsedTimer timer;
            timer.start();
            for (int i = 0; i < 3; ++i) {
                f.clock.advance(1);
                w.onTick();
            }
            QVERIFY2(timer.elapsed() < kPromptMs, "ringing waited for a device");
            ReminderWindow* reminder = w.reminder();
            QVERIFY2(reminder && reminder->isVisible(), "the alarm did not ring");
            QCOMPARE(reminder->findChild<QLabel*>(u"标签3"_s)->text(), u"无法播放声音"_s);
            QVERIFY(QFileInfo::exists(f.paths.windowsFile(u"1.mp3"_s)));
            QCOMPARE(currentDriver(), u"dummy"_s); // the fallback took over: the music goes nowhere
            reminder->findChild<QPushButton*>(u"按钮2"_s)->click();
            QVERIFY(!sound.isPlaying());
            QVERIFY2(f.dialogs.log().isEmpty(), qPrintable(f.dialogs.log().join(u'\n')));
        }
        // The player's destructor closed SDL again (it joins SDL's audio thread: a hang shows here).
        QCOMPARE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    }

    // The spoken time plays its in-memory clips through the same player.
    void chimeSpeaksSilently_data() { devices_data(); }
    void chimeSpeaksSilently() {
        QFETCH(QByteArray, driver);
        QFETCH(QString, diskFile);
        TempDir dir;
        AudioEnvironment env(driver, QFile::encodeName(dir.file(diskFile)));
        Paths paths = Paths::under(dir.path());
        QVERIFY(paths.makeFolders());
        {
            SdlSoundPlayer sound;
            QList<std::function<void()>> pending;
            SystemSettings settings(paths);
            HourlyChime chime(sound, settings,
                              [&](int, std::function<void()> then) { pending.append(then); });
            QElapsedTimer timer;
            timer.start();
            QVERIFY(chime.AnnounceTime(QTime(8, 0)));
            int clips = 1;
            while (!pending.isEmpty() && clips < 20) {
                pending.takeFirst()();
                ++clips;
            }
            QVERIFY2(timer.elapsed() < kPromptMs, "the clips waited for a device");
            QVERIFY2(clips > 2, "the announcement stopped after its first clip");
            QVERIFY(!chime.announcing());
            QCOMPARE(currentDriver(), u"dummy"_s);
        }
        QCOMPARE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    }
};

ORVANE_TEST(NoSoundDeviceTest)
#include "test_NoSoundDevice.moc"
