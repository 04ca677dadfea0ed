// Tests of PulseSoundServer against a real PulseAudio server of the test's own: what it says of the
// default output, and unmuting it for a ring and muting it again afterwards.
#include "platform/PulseSoundServer.h"

#include "PulseServer.h"
#include "TestRegistry.h"

#include <QtTest>

using orvane::OutputState;
using orvane::PulseSoundServer;
using orvane::test::PulseServer;
using orvane::test::TempDir;
using namespace Qt::Literals::StringLiterals;

namespace orvane {
// Names the states in QCOMPARE's failure messages.
char* toString(OutputState state) {
    const char* names[] = {"Audible", "Muted", "VolumeZero", "NoOutput", "NoServer"};
    return qstrdup(names[int(state)]);
}
} // namespace orvane

namespace {
const QStringList kOutput{u"load-module module-null-sink sink_name=ring"_s, u"set-default-sink ring"_s};
const QString kMuted = u"set-sink-mute ring 1"_s;
const QString kSilent = u"set-sink-volume ring 0"_s;
} // namespace

class PulseSoundServerTest : public QObject {
    Q_OBJECT

private slots:
    void defaultOutput_data() {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<bool>("running");
        QTest::addColumn<OutputState>("state");
        QTest::newRow("an unmuted output above volume 0 is heard") << kOutput << true << OutputState::Audible;
        QTest::newRow("muted") << kOutput + QStringList{kMuted} << true << OutputState::Muted;
        QTest::newRow("at volume 0") << kOutput + QStringList{kSilent} << true << OutputState::VolumeZero;
        QTest::newRow("a server without any output") << QStringList{} << true << OutputState::NoOutput;
        // What PulseAudio plays to when it finds no sound card.
        QTest::newRow("only the stand-in output of a server without sound cards")
            << QStringList{u"load-module module-null-sink sink_name=auto_null"_s} << true
            << OutputState::NoOutput;
        QTest::newRow("no server: nothing known, said once in the log")
            << kOutput << false << OutputState::NoServer;
    }
    void defaultOutput() {
        QFETCH(QStringList, script);
        QFETCH(bool, running);
        QFETCH(OutputState, state);
        TempDir dir;
        PulseServer server(dir, script);
        QVERIFY2(server.ready(), server.log());
        if (!running) {
            server.stop();
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^no sound server to ask: ."_s));
        }
        QTest::failOnWarning(QRegularExpression(u"."_s));
        PulseSoundServer sound;
        QCOMPARE(sound.defaultOutput(), state);
        QCOMPARE(sound.defaultOutput(), state); // asked again at the next ring: same answer, no new warning
    }

    void unmuteForRing_data() {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<OutputState>("state"); // after unmuting
        QTest::addColumn<QString>("restored");  // the output's mute after the ring
        QTest::newRow("muted: unmuted for the ring, muted again after it")
            << kOutput + QStringList{kMuted} << OutputState::Audible << u"Mute: yes"_s;
        QTest::newRow("not muted: left unmuted after the ring, as the user had it")
            << kOutput << OutputState::Audible << u"Mute: no"_s;
        QTest::newRow("muted at volume 0: unmuted, still unheard, the volume left alone")
            << kOutput + QStringList{kMuted, kSilent} << OutputState::VolumeZero << u"Mute: yes"_s;
    }
    void unmuteForRing() {
        QFETCH(QStringList, script);
        QFETCH(OutputState, state);
        QFETCH(QString, restored);
        TempDir dir;
        PulseServer server(dir, script);
        QVERIFY2(server.ready(), server.log());
        const QString volume = server.pactl({u"get-sink-volume"_s, u"ring"_s});
        PulseSoundServer sound;
        QCOMPARE(sound.unmuteForRing(), state);
        QCOMPARE(server.pactl({u"get-sink-mute"_s, u"ring"_s}), u"Mute: no"_s);
        sound.restoreMute();
        QCOMPARE(server.pactl({u"get-sink-mute"_s, u"ring"_s}), restored);
        QCOMPARE(server.pactl({u"get-sink-volume"_s, u"ring"_s}), volume);
        sound.restoreMute(); // a second end of the same ring changes nothing
        QCOMPARE(server.pactl({u"get-sink-mute"_s, u"ring"_s}), restored);
    }
};

ORVANE_TEST(PulseSoundServerTest)
#include "test_PulseSoundServer.moc"
