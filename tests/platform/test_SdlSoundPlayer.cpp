// Tests of SdlSoundPlayer: what SDL's disk driver receives for play counts, stop, clips and bad files, and
// what play() answers.
#include "platform/SdlSoundPlayer.h"

#include "TempDir.h"
#include "TestRegistry.h"
#include "ToneWav.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <optional>

using orvane::PlayOutcome;
using orvane::SdlSoundPlayer;
using orvane::test::TempDir;
using orvane::test::toneWav;
using namespace Qt::Literals::StringLiterals;

namespace orvane {
// Names the outcomes in QCOMPARE's failure messages.
char* toString(PlayOutcome outcome) {
    const char* names[] = {"Played", "Unplayable", "NoOutput"};
    return qstrdup(names[int(outcome)]);
}
} // namespace orvane

namespace {
// The player opens the device at 44.1 kHz, 16-bit stereo; the counts below are in those frames.
constexpr int kRate = orvane::test::kToneRate;
constexpr int kFrameBytes = orvane::test::kToneFrameBytes;
constexpr int kToneFrames = kRate / 20;  // the WAV tone: 50 ms
constexpr int kMp3Frames = kRate / 5;    // data/tone.mp3: 200 ms of the same tone
constexpr int kLoud = 1000;              // quieter samples are silence (MP3 ringing, encoder padding)
constexpr qint64 kMargin = 8 * 1024 * 4; // bytes mixed before a stop that may still be on their way

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// SDL's disk driver writes the device's output into a file of the test's own folder.
class Capture {
public:
    explicit Capture(const TempDir& dir) : path_(dir.file(QStringLiteral("device.raw"))) {
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path_));
        qputenv("SDL_DISKAUDIODELAY", "1"); // ms per 1024-frame buffer: about 23 times real time
    }
    qint64 bytes() const { return QFileInfo(path_).size(); }
    // Frames from byte `from` on in which a channel is loud.
    qint64 loudFrames(qint64 from = 0) const {
        QFile f(path_);
        if (!f.open(QIODevice::ReadOnly) || !f.seek(from))
            return 0;
        const QByteArray raw = f.readAll();
        qint64 loud = 0;
        for (qsizetype i = 0; i + kFrameBytes <= raw.size(); i += kFrameBytes) {
            // By index, not through constData(): in sanitizer builds GCC takes an empty array's one shared
            // byte for the buffer and warns (-Warray-bounds).
            const int l = qint16(quint8(raw[i]) | quint8(raw[i + 1]) << 8);
            const int r = qint16(quint8(raw[i + 2]) | quint8(raw[i + 3]) << 8);
            loud += std::abs(l) >= kLoud || std::abs(r) >= kLoud;
        }
        return loud;
    }

private:
    QString path_;
};

// Whether a clip sounds: isPlaying() answers for files only. Mix_Playing needs an open device.
bool clipSounding() {
    return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0 && Mix_Playing(-1) != 0;
}

bool waitUntilSilent(const SdlSoundPlayer& player) {
    return QTest::qWaitFor([&] { return !player.isPlaying() && !clipSounding(); }, 10000);
}

// The warning that names a file play() could not load.
void expectUnplayableWarning(const QString& file) {
    QTest::ignoreMessage(
        QtWarningMsg, QRegularExpression(u"^cannot load "_s + QRegularExpression::escape(file) + u": ."_s));
}

enum Silencer { StopCall, PlayCountZero, PlayMissingFile };
} // namespace

class SdlSoundPlayerTest : public QObject {
    Q_OBJECT

private slots:
    // Start-up must not pay for SDL; the destructor must hand it all back.
    void opensAudioOnlyForASound() {
        TempDir dir;
        Capture capture(dir);
        const QString tone = writeFile(dir.file(QStringLiteral("t.wav")), toneWav(kToneFrames));
        {
            SdlSoundPlayer player(QStringLiteral("disk"));
            player.stop();
            player.play(tone, 0);
            QCOMPARE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
            player.play(tone, 1);
            QVERIFY(SDL_WasInit(SDL_INIT_AUDIO) != 0);
            int rate = 0, channels = 0;
            Uint16 format = 0;
            QVERIFY(Mix_QuerySpec(&rate, &format, &channels));
            QCOMPARE(rate, kRate); // the frame counts of every test here rely on this format
            QCOMPARE(format, Uint16(AUDIO_S16LSB));
            QCOMPARE(channels, 2);
        }
        QCOMPARE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    }

    void playCount_data() {
        QTest::addColumn<bool>("mp3");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("plays");
        QTest::newRow("count 1 plays a WAV once") << false << 1 << 1;
        QTest::newRow("count 2 plays a WAV twice, not three times") << false << 2 << 2;
        QTest::newRow("count 3 plays a WAV three times") << false << 3 << 3;
        QTest::newRow("count 0 plays nothing although SDL's 0 plays once") << false << 0 << 0;
        QTest::newRow("count 1 plays an MP3 once") << true << 1 << 1;
        QTest::newRow("count 2 plays an MP3 twice") << true << 2 << 2;
    }
    void playCount() {
        QFETCH(bool, mp3);
        QFETCH(int, count);
        QFETCH(int, plays);
        TempDir dir;
        Capture capture(dir);
        // A Chinese file name: the path must reach SDL in the local 8-bit encoding.
        const QString file =
            mp3 ? dir.file(QStringLiteral("铃声.mp3")) : dir.file(QStringLiteral("铃声.wav"));
        if (mp3)
            QVERIFY(QFile::copy(QStringLiteral(":/testdata/tone.mp3"), file));
        else
            writeFile(file, toneWav(kToneFrames));
        const int length = mp3 ? kMp3Frames : kToneFrames;

        std::optional<SdlSoundPlayer> player(std::in_place, QStringLiteral("disk"));
        QCOMPARE(player->play(file, count), PlayOutcome::Played); // count 0 too: stopping was asked
        QVERIFY(waitUntilSilent(*player));
        player.reset(); // closing the device writes out its last buffers
        const qint64 loud = capture.loudFrames();
        QVERIFY2(std::abs(loud - qint64(plays) * length) <= length / 10, qPrintable(QString::number(loud)));
    }

    // Loops past two lengths, then falls silent at once whichever way it is ended.
    void silencesLoop_data() {
        QTest::addColumn<int>("silencer");
        QTest::newRow("stop() silences a loop at once") << int(StopCall);
        QTest::newRow("count 0 stops the earlier sound") << int(PlayCountZero);
        QTest::newRow("a missing file stops the earlier sound") << int(PlayMissingFile);
    }
    void silencesLoop() {
        QFETCH(int, silencer);
        TempDir dir;
        Capture capture(dir);
        const QString tone = writeFile(dir.file(QStringLiteral("t.wav")), toneWav(kToneFrames));
        std::optional<SdlSoundPlayer> player(std::in_place, QStringLiteral("disk"));
        player->play(tone, -1);
        QVERIFY(QTest::qWaitFor([&] { return capture.loudFrames() > 5 * kToneFrames / 2; }, 10000));
        QVERIFY(player->isPlaying());

        if (silencer == PlayMissingFile)
            expectUnplayableWarning(dir.file(QStringLiteral("none.wav")));
        if (silencer == StopCall)
            player->stop();
        else
            player->play(silencer == PlayCountZero ? tone : dir.file(QStringLiteral("none.wav")),
                         silencer == PlayCountZero ? 0 : 1);
        QVERIFY(!player->isPlaying());
        const qint64 at = capture.bytes();
        QVERIFY(QTest::qWaitFor([&] { return capture.bytes() >= at + 2 * kMargin; }, 10000));
        player.reset();
        QCOMPARE(capture.loudFrames(at + kMargin), 0);
    }

    void unplayableFilePlaysNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        QTest::newRow("missing file") << QStringLiteral("none.mp3") << QByteArray();
        QTest::newRow("text named .mp3") << QStringLiteral("x.mp3") << QByteArrayLiteral("not a sound\n");
        QTest::newRow("text named .wav") << QStringLiteral("x.wav") << QByteArrayLiteral("not a sound\n");
        QTest::newRow("empty file") << QStringLiteral("x.mp3") << QByteArray("");
        QTest::newRow("WAV cut inside its header")
            << QStringLiteral("x.wav") << toneWav(kToneFrames).left(30);
    }
    void unplayableFilePlaysNothing() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        TempDir dir;
        Capture capture(dir);
        const QString file = dir.file(name);
        if (!content.isNull())
            writeFile(file, content);
        std::optional<SdlSoundPlayer> player(std::in_place, QStringLiteral("disk"));
        expectUnplayableWarning(file);
        QCOMPARE(player->play(file, -1), PlayOutcome::Unplayable);
        QVERIFY(!player->isPlaying());
        QVERIFY(QTest::qWaitFor([&] { return capture.bytes() >= kMargin; }, 10000));
        QCOMPARE(capture.loudFrames(), 0);

        // The failure leaves the player usable.
        QCOMPARE(player->play(writeFile(dir.file(QStringLiteral("t.wav")), toneWav(kToneFrames)), 1),
                 PlayOutcome::Played);
        QVERIFY(waitUntilSilent(*player));
        player.reset();
        QVERIFY(capture.loudFrames() >= kToneFrames * 9 / 10);
    }

    void playClip_data() {
        QTest::addColumn<QByteArray>("wav");
        QTest::addColumn<int>("frames");
        QTest::newRow("a WAV clip plays once") << toneWav(kToneFrames) << kToneFrames;
        QTest::newRow("bytes that are no WAV play nothing") << QByteArrayLiteral("RIFF....WAVEjunk") << 0;
        QTest::newRow("an empty clip plays nothing") << QByteArray() << 0;
    }
    void playClip() {
        QFETCH(QByteArray, wav);
        QFETCH(int, frames);
        TempDir dir;
        Capture capture(dir);
        std::optional<SdlSoundPlayer> player(std::in_place, QStringLiteral("disk"));
        if (frames == 0 && !wav.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^cannot decode a clip of "_s));
        {
            QByteArray own = wav; // freed right after the call: the player must keep no pointer into it
            own.detach();
            player->playClip(own);
        }
        QCOMPARE(clipSounding(), frames > 0); // returned while the clip still sounds
        QVERIFY(!player->isPlaying());        // else a ring would be taken to sound while the chime speaks
        QVERIFY(waitUntilSilent(*player));
        player.reset();
        QVERIFY2(std::abs(capture.loudFrames() - frames) <= kToneFrames / 10,
                 qPrintable(QString::number(capture.loudFrames())));
    }

    void newClipCutsTheEarlierOne() {
        TempDir dir;
        Capture capture(dir);
        std::optional<SdlSoundPlayer> player(std::in_place, QStringLiteral("disk"));
        player->playClip(toneWav(20 * kToneFrames));
        player->playClip(toneWav(kToneFrames));
        QVERIFY(waitUntilSilent(*player));
        player.reset();
        const qint64 loud = capture.loudFrames();
        QVERIFY2(loud >= kToneFrames * 9 / 10 && loud < 10 * kToneFrames, qPrintable(QString::number(loud)));
    }

    // No usable audio device: the dummy driver takes over, silently, and the file still takes its time;
    // play() says nobody hears it, unless the dummy driver was the caller's own choice.
    void dummyDriver_data() {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<int>("outcome");
        QTest::newRow("fallback to dummy: nobody hears the ring")
            << QStringLiteral("no-such-driver") << int(PlayOutcome::NoOutput);
        QTest::newRow("dummy chosen: taken as heard") << QStringLiteral("dummy") << int(PlayOutcome::Played);
    }
    void dummyDriver() {
        QFETCH(QString, driver);
        QFETCH(int, outcome);
        TempDir dir;
        const QString tone = writeFile(dir.file(QStringLiteral("t.wav")), toneWav(kToneFrames));
        SdlSoundPlayer player(driver);
        if (PlayOutcome(outcome) == PlayOutcome::NoOutput) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^audio driver no-such-driver: ."_s));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^no audio device: "_s));
        }
        QCOMPARE(player.play(tone, -1), PlayOutcome(outcome));
        QCOMPARE(QByteArray(SDL_GetCurrentAudioDriver()), QByteArray("dummy"));
        QVERIFY(player.isPlaying());
        player.stop();
        QVERIFY(!player.isPlaying());
    }
};

ORVANE_TEST(SdlSoundPlayerTest)
#include "test_SdlSoundPlayer.moc"
