// The chime clips: the RIFF walk that gives a clip's wait, and the seventeen carried clips themselves.
#include "TestRegistry.h"
#include "alarm/ChimeClips.h"
#include "resources/resources.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>

using namespace orvane;
using namespace orvane::chime;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray out(id, 4);
    char size[4];
    qToLittleEndian<quint32>(quint32(body.size()), size);
    out.append(size, 4).append(body);
    if (body.size() % 2 != 0)
        out.append('\0');
    return out;
}
QByteArray fmt(quint16 format, quint32 rate, quint16 channels, quint16 bits) {
    QByteArray body(16, '\0');
    qToLittleEndian<quint16>(format, body.data());
    qToLittleEndian<quint16>(channels, body.data() + 2);
    qToLittleEndian<quint32>(rate, body.data() + 4);
    qToLittleEndian<quint32>(rate * channels * bits / 8, body.data() + 8);
    qToLittleEndian<quint16>(quint16(channels * bits / 8), body.data() + 12);
    qToLittleEndian<quint16>(bits, body.data() + 14);
    return chunk("fmt ", body);
}
QByteArray riff(const QByteArray& chunks) {
    QByteArray body = "WAVE" + chunks;
    return chunk("RIFF", body);
}
QByteArray samples(int n) {
    return QByteArray(n, char(0x80));
}

} // namespace

class ChimeClipsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvaneInitResources(); }

    void wait_data() {
        QTest::addColumn<QByteArray>("wav");
        QTest::addColumn<int>("ms");
        const QByteArray fmt10k = fmt(1, 10000, 1, 8);
        const QByteArray plain = riff(fmt10k + chunk("data", samples(2500)));
        QTest::newRow("canonical 8-bit mono clip") << plain << 250;
        QTest::newRow("rounds up from .7 instead of cutting: 3277 bytes is 328 ms")
            << riff(fmt10k + chunk("data", samples(3277))) << 328;
        QTest::newRow("rounds down from .2: 17190 bytes at 11025 Hz is 1559 ms")
            << riff(fmt(1, 11025, 1, 8) + chunk("data", samples(17190))) << 1559;
        QTest::newRow("uses the byte rate, not the sample rate (16-bit stereo)")
            << riff(fmt(1, 10000, 2, 16) + chunk("data", samples(4000))) << 100;
        QTest::newRow("a LIST chunk before fmt is walked over, not assumed absent")
            << riff(chunk("LIST", "INFOISFT\x06\0\0\0sox14\0"_ba) + fmt10k + chunk("data", samples(1000)))
            << 100;
        QTest::newRow("an odd-sized chunk's pad byte is skipped")
            << riff(fmt10k + chunk("junk", "abc"_ba) + chunk("data", samples(500))) << 50;
        QTest::newRow("an empty data chunk waits 0") << riff(fmt10k + chunk("data", {})) << 0;

        QTest::newRow("malformed: no bytes at all") << QByteArray() << 0;
        QTest::newRow("malformed: cut inside the header") << plain.first(30) << 0;
        QTest::newRow("malformed: cut inside the data") << plain.first(plain.size() - 1) << 0;
        QTest::newRow("malformed: no data chunk") << riff(fmt10k + chunk("LIST", "INFO"_ba)) << 0;
        QTest::newRow("malformed: no fmt chunk") << riff(chunk("data", samples(2500))) << 0;
        QTest::newRow("malformed: fmt chunk too short")
            << riff(chunk("fmt ", fmt10k.mid(8, 12)) + chunk("data", samples(10))) << 0;
        QTest::newRow("malformed: byte rate 0 would divide by zero")
            << riff(fmt(1, 0, 1, 8) + chunk("data", samples(100))) << 0;
        QTest::newRow("malformed: not PCM") << riff(fmt(2, 10000, 1, 8) + chunk("data", samples(100))) << 0;
        QByteArray notRiff = plain;
        notRiff.replace(0, 4, "RIFX");
        QTest::newRow("malformed: not RIFF") << notRiff << 0;
        QByteArray notWave = plain;
        notWave.replace(8, 4, "AVI ");
        QTest::newRow("malformed: RIFF but not WAVE") << notWave << 0;
        QByteArray huge = plain;
        qToLittleEndian<quint32>(0xFFFFFFF0u, huge.data() + 40); // the data chunk's size
        QTest::newRow("malformed: a size near 4 GiB does not wrap around") << huge << 0;
    }
    void wait() {
        QFETCH(QByteArray, wav);
        QFETCH(int, ms);
        QCOMPARE(wavPlayMs(wav), ms);
    }

    // Each carried clip is checked against the canonical 44-byte header at fixed places, and its wait
    // against the data size read there: a computation independent of the chunk walk.
    void carried_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("rate");
        const auto phraseRow = [](int i, int rate) {
            QTest::addRow("phrase %d", i)
                << int(Clip::Kind::Phrase) << i << u":/voice/phrase-%1.wav"_s.arg(i) << rate;
        };
        phraseRow(0, 11025);
        for (int i = 1; i < kPhraseCount; ++i)
            phraseRow(i, 10000);
        for (int i = 0; i < 10; ++i)
            QTest::addRow("digit %d", i)
                << int(Clip::Kind::Digit) << i << u":/voice/digit-%1.wav"_s.arg(i) << 10000;
        QTest::newRow("ten") << int(Clip::Kind::Digit) << kTen << u":/voice/ten.wav"_s << 10000;
    }
    void carried() {
        QFETCH(int, kind);
        QFETCH(int, index);
        QFETCH(QString, file);
        QFETCH(int, rate);
        QFile f(file);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(file));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.size() > 44 + rate / 10); // at least a tenth of a second of sound

        QCOMPARE(bytes.first(4), "RIFF"_ba);
        QCOMPARE(bytes.sliced(8, 8), "WAVEfmt "_ba);
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 20), quint16(1));    // PCM
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 22), quint16(1));    // mono
        QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 24), quint32(rate)); // sample rate
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 34), quint16(8));    // 8-bit (unsigned)
        QCOMPARE(bytes.sliced(36, 4), "data"_ba);
        // The data fills the rest of the file, but for the pad byte after an odd length.
        const qint64 dataBytes = qFromLittleEndian<quint32>(bytes.constData() + 40);
        QCOMPARE(44 + dataBytes + (dataBytes & 1), bytes.size());

        const Clip clip{Clip::Kind(kind), index};
        QCOMPARE(resourcePath(clip), file);
        const Clips clips;
        QCOMPARE(clips.bytes(clip), bytes);
        QCOMPARE(clips.waitMs(clip), qRound(dataBytes * 1000.0 / rate));
    }
};

ORVANE_TEST(ChimeClipsTest)
#include "test_ChimeClips.moc"
