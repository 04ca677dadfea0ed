// SNTP: replies as a table (era, fraction, checks), then the query against scripted and real servers.
#include "FakeClock.h"
#include "FakeNtpServer.h"
#include "TestRegistry.h"
#include "net/SntpClient.h"
#include "net/SntpPacket.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 kSecond = 1000000;
constexpr qint64 kWrap2036 = 2085978496; // Unix seconds at which NTP era 0 ends
constexpr qint64 kNone = std::numeric_limits<qint64>::min();

// The reply a server at `serverUsec` gives to `sent` after `edit` spoils it.
QByteArray reply(sntp::Timestamp sent, qint64 serverUsec, const QByteArray& edit) {
    QByteArray p(48, '\0');
    p[0] = char(edit == "leap 3"      ? 0xe4
                : edit == "mode 3"    ? 0x23
                : edit == "version 2" ? 0x14
                : edit == "version 3" ? 0x1c
                                      : 0x24);
    p[1] = char(edit == "stratum 0" ? 0 : edit == "stratum 16" ? 16 : 1);
    qToBigEndian(edit == "origin" ? sent + 1 : sent, p.data() + 24);
    const sntp::Timestamp t = sntp::toTimestamp(serverUsec);
    qToBigEndian(t, p.data() + 32);
    qToBigEndian(edit == "transmit 0" ? 0 : t, p.data() + 40);
    return edit == "short" ? p.left(47) : p;
}

} // namespace

class SntpTest : public QObject {
    Q_OBJECT
private slots:
    void packets_data() {
        QTest::addColumn<qint64>("t1");         // local clock at sending, Unix µs
        QTest::addColumn<quint64>("wire");      // expected transmit field of the request; 0: not checked
        QTest::addColumn<qint64>("trueOffset"); // server clock minus local clock
        QTest::addColumn<QByteArray>("edit");   // how the reply is spoiled
        QTest::addColumn<qint64>("offset");     // expected; kNone: refused
        QTest::newRow("1970 is NTP second 2208988800")
            << 0LL << 0x83aa7e8000000000ULL << 1500000LL << QByteArray() << 1500000LL;
        QTest::newRow("half a second is fraction 2^31")
            << 1500000LL << 0x83aa7e8180000000ULL << -250000LL << QByteArray() << -250000LL;
        QTest::newRow("a microsecond survives the fraction")
            << 1700000000123457LL << 0ULL << 3LL << QByteArray() << 3LL;
        QTest::newRow("2036: local before the wrap, server after")
            << (kWrap2036 - 1) * kSecond << 0xffffffff00000000ULL << 10 * kSecond << QByteArray()
            << 10 * kSecond;
        QTest::newRow("2036: local after the wrap, server before")
            << (kWrap2036 + 5) * kSecond << 0x0000000500000000ULL << -10 * kSecond << QByteArray()
            << -10 * kSecond;
        QTest::newRow("version 3 server accepted")
            << 1700000000LL * kSecond << 0ULL << 2 * kSecond << QByteArray("version 3") << 2 * kSecond;
        for (const char* edit :
             {"stratum 0", "stratum 16", "leap 3", "mode 3", "version 2", "origin", "transmit 0", "short"})
            QTest::newRow(qPrintable(u"refused: "_s + QLatin1StringView(edit)))
                << 1700000000LL * kSecond << 0ULL << kSecond << QByteArray(edit) << kNone;
    }
    void packets() {
        QFETCH(qint64, t1);
        QFETCH(quint64, wire);
        QFETCH(qint64, trueOffset);
        QFETCH(QByteArray, edit);
        QFETCH(qint64, offset);
        const QByteArray request = sntp::requestPacket(sntp::toTimestamp(t1));
        QCOMPARE(request.size(), 48);
        QCOMPARE(quint8(request[0]), 0x23); // version 4, client
        const sntp::Timestamp sent = qFromBigEndian<quint64>(request.constData() + 40);
        if (wire)
            QCOMPARE(sent, wire);
        // 80 ms there and back, answered in the middle: the delay must cancel out.
        const qint64 t4 = t1 + 80000;
        const sntp::Reply r = sntp::readReply(reply(sent, t1 + 40000 + trueOffset, edit), sent);
        QCOMPARE(r.fault == sntp::ReplyFault::None, offset != kNone);
        if (offset != kNone)
            QCOMPARE(sntp::clockOffset(t1, sntp::fromTimestamp(r.receive, t4),
                                       sntp::fromTimestamp(r.transmit, t4), t4),
                     offset);
    }

    // Servers at 127.0.0.1, .2, … answer as scripted; the first valid answer counts, once.
    void servers_data() {
        QTest::addColumn<QStringList>("hosts");
        QTest::addColumn<QList<int>>("answers"); // per host: a FakeNtpServer::Answer, -1 for no server
        QTest::addColumn<qint64>("offset");      // kNone: no answer
        QTest::newRow("kiss-o'-death skipped, the second server counts")
            << QStringList{u"127.0.0.1"_s, u"127.0.0.2"_s}
            << QList<int>{FakeNtpServer::KissOfDeath, FakeNtpServer::Good} << 3 * kSecond;
        QTest::newRow("a name that does not resolve does not hold up the others")
            << QStringList{u"orvane-clock.invalid"_s, u"127.0.0.1"_s} << QList<int>{-1, FakeNtpServer::Good}
            << 3 * kSecond;
        QTest::newRow("garbage is no answer")
            << QStringList{u"127.0.0.1"_s} << QList<int>{FakeNtpServer::Garbage} << kNone;
        QTest::newRow("an answer after the limit is ignored")
            << QStringList{u"127.0.0.1"_s} << QList<int>{FakeNtpServer::Late} << kNone;
        QTest::newRow("nobody listening")
            << QStringList{u"127.0.0.1"_s, u"127.0.0.2"_s} << QList<int>{-1, -1} << kNone;
        QTest::newRow("no servers") << QStringList{} << QList<int>{} << kNone;
    }
    void servers() {
        QFETCH(QStringList, hosts);
        QFETCH(QList<int>, answers);
        QFETCH(qint64, offset);
        QUdpSocket probe; // a port free on 127.0.0.1 is taken on the other loopback addresses too
        probe.bind(QHostAddress::LocalHost, 0);
        const quint16 port = probe.localPort();
        probe.close();
        std::vector<std::unique_ptr<FakeNtpServer>> fakes;
        for (int i = 0; i < hosts.size(); ++i)
            if (answers[i] >= 0)
                fakes.push_back(std::make_unique<FakeNtpServer>(
                    QHostAddress(hosts[i]), port, FakeNtpServer::Answer(answers[i]), 3 * kSecond));
        FakeClock clock;
        SntpQuery query(clock, {hosts, port, 300});
        QList<std::optional<qint64>> results;
        query.start([&](std::optional<qint64> o) { results.append(o); });
        QVERIFY(results.isEmpty()); // never inside the call
        QTRY_COMPARE(results.size(), 1);
        QCOMPARE(results[0].value_or(kNone), offset);
        for (auto& fake : fakes)
            fake->answerHeld(); // the late server answers now
        QCoreApplication::processEvents();
        QCOMPARE(results.size(), 1);
    }

    void cancelledQueryNeverAnswers() {
        FakeNtpServer late(QHostAddress::LocalHost, 0, FakeNtpServer::Late);
        FakeClock clock;
        bool answered = false;
        auto query = std::make_unique<SntpQuery>(clock, NtpServers{{u"127.0.0.1"_s}, late.port(), 1000});
        query->start([&](std::optional<qint64>) { answered = true; });
        QTRY_COMPARE(late.received(), 1);
        query.reset();
        late.answerHeld();
        QCoreApplication::processEvents();
        QVERIFY(!answered);
    }

    // The machine's clock against a real server that serves the machine's clock: the offset is noise.
    void chronyServesOurOwnTime() {
        TempDir dir;
        LoopbackChrony chrony(dir);
        if (!chrony.unavailable().isEmpty())
            QSKIP(qPrintable(chrony.unavailable()));
        SystemClock clock;
        SntpQuery query(clock, {{u"127.0.0.1"_s}, chrony.port()});
        std::optional<qint64> offset;
        QEventLoop loop; // QTRY's 50 ms steps would hide the time taken
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        QElapsedTimer timer;
        timer.start();
        query.start([&](std::optional<qint64> o) {
            offset = o;
            loop.quit();
        });
        loop.exec();
        qInfo("SNTP query over loopback: %lld ms, offset %lld µs", timer.elapsed(), offset.value_or(0));
        QVERIFY(offset.has_value());
        QVERIFY2(std::abs(*offset) < 5000, qPrintable(QString::number(*offset)));
    }

    // The servers a user names in sys.ini; nothing named means the public ones.
    void serversFromText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("hosts");
        QTest::addColumn<int>("port");
        QTest::newRow("empty: the public servers") << QString() << NtpServers::standard().hosts << 123;
        QTest::newRow("blanks only: the public servers") << u"  "_s << NtpServers::standard().hosts << 123;
        QTest::newRow("two hosts, blank and comma")
            << u"a.cn, 10.0.0.1"_s << QStringList{u"a.cn"_s, u"10.0.0.1"_s} << 123;
        QTest::newRow("a port for all") << u"127.0.0.1:1123"_s << QStringList{u"127.0.0.1"_s} << 1123;
        QTest::newRow("a port out of range stays part of the name")
            << u"h:99999"_s << QStringList{u"h:99999"_s} << 123;
    }
    void serversFromText() {
        QFETCH(QString, text);
        QFETCH(QStringList, hosts);
        QFETCH(int, port);
        const NtpServers servers = NtpServers::fromText(text);
        QCOMPARE(servers.hosts, hosts);
        QCOMPARE(int(servers.port), port);
    }
};

ORVANE_TEST(SntpTest)
#include "test_Sntp.moc"
