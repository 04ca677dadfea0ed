// Tests of a ring's level as it is heard: SdlSoundPlayer plays into a real PulseAudio server of the
// test's own, whose output is recorded; and an alarm rung with the settings, its reminder's line saying
// whether it can be heard.
#include "platform/SdlSoundPlayer.h"

#include "FakeClock.h"
#include "PulseServer.h"
#include "TestRegistry.h"
#include "ToneWav.h"
#include "alarm/AlarmCodec.h"
#include "alarm/AlarmRinger.h"
#include "platform/PulseSoundServer.h"
#include "platform/SystemSettings.h"

#include <QtTest>

#include <memory>

using orvane::PlayOutcome;
using orvane::RingLevel;
using orvane::SdlSoundPlayer;
using orvane::test::MonitorRecorder;
using orvane::test::PulseServer;
using orvane::test::TempDir;
using orvane::test::toneWav;
using namespace Qt::Literals::StringLiterals;

namespace {
const QString kOutput = u"ring"_s;

// The tone's level while it plays steadily: skips the output's start-up latency, then half a second.
double steadyLevel(MonitorRecorder& recorder) {
    return MonitorRecorder::level(recorder.next(0.7), 0.2, 0.7);
}
} // namespace

class RingLevelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(u"pulseaudio"_s).isEmpty())
            QSKIP("pulseaudio is not installed (scripts/setup dev)");
        server_ = std::make_unique<PulseServer>(
            dir_, QStringList{u"load-module module-null-sink rate=44100 sink_name="_s + kOutput,
                              u"set-default-sink "_s + kOutput});
        QVERIFY2(server_->ready(), server_->log());
        QFile file(dir_.file(u"tone.wav"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(toneWav(orvane::test::kToneRate)) > 0);
        tone_ = file.fileName();
        // One recorder and one player for all, started in this order and ended in the other: the output
        // then keeps a short latency (one without streams takes up to two seconds to start a recording)
        // and a steady state (SDL's PulseAudio output leaks a libpulse object at each change).
        recorder_ = std::make_unique<MonitorRecorder>(*server_, kOutput);
        player_ = std::make_unique<SdlSoundPlayer>(u"pulseaudio"_s);
        // The default level, that of every ring so far.
        QCOMPARE(player_->play(tone_, -1), PlayOutcome::Played);
        full_ = steadyLevel(*recorder_);
        QVERIFY2(full_ > 0.1, qPrintable(u"the ring is not heard: %1"_s.arg(full_)));
    }
    void cleanupTestCase() {
        player_.reset();
        recorder_.reset();
        server_.reset();
    }

    // Each level against the default, full volume.
    void level_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("clip"); // a clip of the chime after a ring at this level
        QTest::addColumn<double>("share");
        QTest::newRow("50 % is half as loud") << 50 << false << 0.5;
        QTest::newRow("10 %, the quietest setting, is a tenth") << 10 << false << 0.1;
        QTest::newRow("below 10 % is brought up to it, never silent") << 0 << false << 0.1;
        QTest::newRow("a chime clip after a quiet ring keeps its own full volume") << 10 << true << 1.0;
    }
    void level() {
        QFETCH(int, percent);
        QFETCH(bool, clip);
        QFETCH(double, share);
        QCOMPARE(player_->play(tone_, -1, RingLevel{percent, 0}), PlayOutcome::Played);
        if (clip) {
            player_->stop();
            player_->playClip(toneWav(orvane::test::kToneRate));
        }
        const double heard = steadyLevel(*recorder_);
        QVERIFY2(qAbs(heard / full_ - share) < 0.1 * share + 0.01,
                 qPrintable(u"%1 of the full level %2"_s.arg(heard / full_).arg(full_)));
    }

    // Rising over 15 s: the first second is far quieter than the fifth, which is still below full volume.
    void fadeIn() {
        QCOMPARE(player_->play(tone_, -1, RingLevel{100, 15}), PlayOutcome::Played);
        const std::vector<qint16> heard = recorder_->next(5.0);
        // From 0.1 s: the sound before play() still comes out of the output's short buffer.
        const double first = MonitorRecorder::level(heard, 0.1, 1);
        const double fifth = MonitorRecorder::level(heard, 4, 5);
        QVERIFY2(fifth > full_ / 10 && first < fifth / 3 && fifth < full_ / 2,
                 qPrintable(u"first %1, fifth %2, full %3"_s.arg(first).arg(fifth).arg(full_)));
    }

    // An alarm rung as the program rings it, at the settings' level; the output asked after play().
    void alarmRing_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("muted");  // the output muted before the ring
        QTest::addColumn<bool>("unmute"); // "响铃时取消系统静音"
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("share"); // of the full level
        QTest::newRow("闹钟音量 50 % is half as loud") << 50 << false << false << u"tone"_s << 0.5;
        QTest::newRow("muted: silence, and the reminder says so")
            << 100 << true << false << u"系统已静音，闹钟听不到"_s << 0.0;
        QTest::newRow("取消静音: heard, and muted again after") << 100 << true << true << u"tone"_s << 1.0;
    }
    void alarmRing() {
        QFETCH(int, percent);
        QFETCH(bool, muted);
        QFETCH(bool, unmute);
        QFETCH(QString, line);
        QFETCH(double, share);
        const orvane::Paths paths = orvane::Paths::under(dir_.file(u"data"_s));
        QVERIFY(paths.makeFolders());
        orvane::SystemSettings settings(paths);
        settings.setRingCount(orvane::RingCount::Forever);
        settings.setAlarmVolume(percent);
        settings.setUnmuteForRing(unmute);
        orvane::test::FakeClock clock;
        orvane::AlarmRinger ringer(*player_, paths, clock, settings, {});
        ringer.setSoundServer([] { return std::make_unique<orvane::PulseSoundServer>(); });
        QString said;
        connect(&ringer, &orvane::AlarmRinger::reminderWanted, this,
                [&said](const orvane::FiredAlarm&, const QString& soundLine) { said = soundLine; });
        const QString mute = muted ? u"Mute: yes"_s : u"Mute: no"_s;
        server_->pactl({u"set-sink-mute"_s, kOutput, muted ? u"1"_s : u"0"_s});
        if (muted && !unmute)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"nobody hears it"_s));
        ringer.enqueue(
            {orvane::decodeAlarm(1, {u"每天|2010年5月3日08时30分"_s, u"真|"_s + tone_, u"真|x"_s}), 0, 0});
        QCOMPARE(said, line == u"tone" ? tone_ : line);
        const double heard = steadyLevel(*recorder_);
        QVERIFY2(qAbs(heard / full_ - share) < 0.1 * share + 0.01,
                 qPrintable(u"%1 of the full level %2"_s.arg(heard / full_).arg(full_)));
        ringer.reminderClosed();
        QCOMPARE(server_->pactl({u"get-sink-mute"_s, kOutput}), mute);
        server_->pactl({u"set-sink-mute"_s, kOutput, u"0"_s});
    }

private:
    TempDir dir_;
    std::unique_ptr<PulseServer> server_;
    std::unique_ptr<MonitorRecorder> recorder_;
    std::unique_ptr<SdlSoundPlayer> player_;
    QString tone_;
    double full_ = 0;
};

ORVANE_TEST(RingLevelTest)
#include "test_RingLevel.moc"
