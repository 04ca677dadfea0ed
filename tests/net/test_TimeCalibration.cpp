// Network time calibration: time pages as a table, the fetch's seconds added; then SNTP and the clock set
// through a fake time service on a private bus, success said only when the clock is right.
#include "FakeClock.h"
#include "FakeNtpServer.h"
#include "LoopbackHttpServer.h"
#include "PrivateBus.h"
#include "ScriptedDialogs.h"
#include "TestRegistry.h"
#include "common/GbkText.h"
#include "net/HttpRequest.h"
#include "net/TimeCalibration.h"
#include "platform/SystemTimeSetter.h"

#include <QDBusContext>
#include <QElapsedTimer>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 kSecond = 1000000;

class RecordingTimeSetter final : public SystemTimeSetter {
public:
    QList<QDateTime> set;
    QList<Done> pending; // answered by the test
    void setTime(const QDateTime& time, Done done) override {
        set.append(time);
        pending.append(std::move(done));
    }
};

QByteArray page(const QString& date, const QByteArray& time) {
    return "<script>document.write('" + gbk::encode(date) + "')</script>\n<script>" + time + "</script>";
}

// A fetch answering from the event loop with what `answer` gives at the time of the call.
PageFetch fetchGiving(std::function<QByteArray(const QByteArray& url)> answer) {
    return [answer](const PageRequest& request, PageCallback done) {
        QTimer::singleShot(0, qApp, [page = answer(request.url), done] { done(page); });
    };
}

// The system's time service as far as SetTime goes: records each call, or refuses with `refusal`.
class FakeTimedate : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")
public:
    struct Call {
        qint64 usec;
        bool relative, interactive, interactiveFlag;
        qint64 receivedUsec; // the machine's clock when the call arrived
    };
    QList<Call> calls;
    QString refusal;

public slots:
    void SetTime(qlonglong usec, bool relative, bool interactive) {
        calls.append({usec, relative, interactive, message().isInteractiveAuthorizationAllowed(),
                      QDateTime::currentMSecsSinceEpoch() * 1000});
        if (!refusal.isEmpty())
            sendErrorReply(refusal, u"refused"_s);
    }
};

} // namespace

class TimeCalibrationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("TZ", "Asia/Shanghai"); }

    void pages_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("fetchSeconds");
        QTest::addColumn<QDateTime>("expected"); // invalid: the clock is left alone
        const QByteArray hms = "var hrs = 12; var min = 30; var sec = 45;";
        QTest::newRow("two-digit month and day, 3 s fetch")
            << page(u"2010年03月15日"_s, hms) << 3 << QDateTime({2010, 3, 15}, {12, 30, 48});
        QTest::newRow("single-digit month: the apostrophe falls out")
            << page(u"2010年3月15日"_s, hms) << 0 << QDateTime({2010, 3, 15}, {12, 30, 45});
        QTest::newRow("single-digit month and day: a parenthesis remains, nothing set")
            << page(u"2010年3月5日"_s, hms) << 0 << QDateTime();
        QTest::newRow("seconds carry into the minute")
            << page(u"2010年03月15日"_s, hms) << 20 << QDateTime({2010, 3, 15}, {12, 31, 5});
        QTest::newRow("carry across midnight into the next month")
            << page(u"2010年03月31日"_s, "var hrs = 23; var min = 59; var sec = 58;") << 5
            << QDateTime({2010, 4, 1}, {0, 0, 3});
        QTest::newRow("one-digit hour before a semicolon, minute with a leading zero")
            << page(u"2010年03月15日"_s, "var hrs = 9; var min = 05; var sec = 07;") << 0
            << QDateTime({2010, 3, 15}, {9, 5, 7});
        QTest::newRow("missing minute marker reads 0")
            << page(u"2010年03月15日"_s, "var hrs = 12; var sec = 45;") << 0
            << QDateTime({2010, 3, 15}, {12, 0, 45});
        QTest::newRow("missing date marker: nothing set")
            << QByteArray("<script>var hrs = 12; var min = 30; var sec = 45;</script>") << 0 << QDateTime();
        QTest::newRow("marker case matters")
            << page(u"2010年03月15日"_s, hms).replace("document", "Document") << 0 << QDateTime();
        QTest::newRow("impossible date: nothing set") << page(u"2010年02月30日"_s, hms) << 0 << QDateTime();
        QTest::newRow("hour 25 is no time of day")
            << page(u"2010年03月15日"_s, "var hrs = 25; var min = 0; var sec = 0;") << 0 << QDateTime();
        QTest::newRow("empty page: nothing set") << QByteArray() << 0 << QDateTime();
        QTest::newRow("page cut inside the date window")
            << QByteArray("document.write('2010") << 0 << QDateTime();
    }
    void pages() {
        QFETCH(QByteArray, page);
        QFETCH(int, fetchSeconds);
        QFETCH(QDateTime, expected);
        FakeClock clock(QDateTime({2024, 6, 1}, {8, 0}));
        RecordingTimeSetter setter;
        ScriptedDialogs dialogs;
        // No NTP server: a page without a date ends the calibration.
        NetworkTimeSync sync(clock, setter, dialogs, fetchGiving([&](const QByteArray&) {
                                 clock.advance(fetchSeconds);
                                 return page;
                             }),
                             NtpServers{});
        QSignalSpy finished(&sync, &NetworkTimeSync::finished);
        sync.start();
        if (expected.isValid()) {
            QTRY_COMPARE(setter.set, QList<QDateTime>{expected});
            setter.pending.takeFirst()(TimeSetResult::Set, {});
            QCOMPARE(dialogs.messages(), QStringList{u"网络校时完成"_s});
        } else {
            QTRY_COMPARE(finished.size(), 1);
            QVERIFY(setter.set.isEmpty());
            QVERIFY(dialogs.shown().isEmpty());
        }
        QCOMPARE(finished.size(), 1);
    }

    // The fetch still runs while a second click comes, and the object goes away before each answer.
    void secondClickIgnoredAndDestroyedMidway() {
        FakeClock clock;
        RecordingTimeSetter setter;
        ScriptedDialogs dialogs;
        QList<PageCallback> fetches;
        auto sync = std::make_unique<NetworkTimeSync>(
            clock, setter, dialogs, [&](const PageRequest&, PageCallback done) { fetches.append(done); },
            NtpServers{});
        sync->start();
        sync->start();
        QCOMPARE(fetches.size(), 1);
        fetches[0](page(u"2010年03月15日"_s, "var hrs = 1; var min = 2; var sec = 3;"));
        QCOMPARE(setter.set.size(), 1);
        sync->start(); // still waiting for the clock
        QCOMPARE(fetches.size(), 1);
        sync.reset();
        setter.pending.takeFirst()(TimeSetResult::Set, {});
        QVERIFY(dialogs.shown().isEmpty());
    }

    // The real fetch: the page comes from a server, cut at a zero byte; the fetch's seconds count.
    void pageFromLoopbackServer() {
        LoopbackHttpServer server;
        FakeClock clock(QDateTime({2024, 6, 1}, {8, 0}));
        server.setHandler([&clock](const QByteArray&) {
            clock.advance(3);
            return LoopbackHttpServer::ok(
                page(u"2010年03月15日"_s, "var hrs = 12; var min = 30; var sec = 45;") +
                QByteArray("\0var sec = 59;", 14));
        });
        RecordingTimeSetter setter;
        ScriptedDialogs dialogs;
        NetworkTimeSync sync(
            clock, setter, dialogs,
            [](const PageRequest& request, PageCallback done) { FetchPage(request.url, std::move(done)); },
            NtpServers{}, server.url("/stime.asp"));
        sync.start();
        QTRY_COMPARE(setter.set, QList<QDateTime>{QDateTime({2010, 3, 15}, {12, 30, 48})});
        QVERIFY(server.requests().value(0).startsWith("GET /stime.asp HTTP/1.0\r\n"));
    }

    // No page; an NTP server off by `offset`; the real clock setter talking to a fake time service.
    void ntpAndTimeService_data() {
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<bool>("setCalled");
        QTest::addColumn<bool>("saidDone");
        QTest::newRow("two minutes off: set interactively, done said")
            << 120 * kSecond << QString() << true << true;
        QTest::newRow("one second slow: set, done said") << -kSecond << QString() << true << true;
        QTest::newRow("automatic sync on and far off: silent")
            << 120 * kSecond << u"org.freedesktop.timedate1.AutomaticTimeSyncEnabled"_s << true << false;
        QTest::newRow("password refused: silent")
            << 120 * kSecond << u"org.freedesktop.DBus.Error.AccessDenied"_s << true << false;
        QTest::newRow("under half a second: not set, done said") << 400000LL << QString() << false << true;
    }
    void ntpAndTimeService() {
        QFETCH(qint64, offset);
        QFETCH(QString, refusal);
        QFETCH(bool, setCalled);
        QFETCH(bool, saidDone);
        TempDir dir;
        PrivateBus bus(dir);
        QVERIFY(!bus.address().isEmpty());
        BusPeer service(bus.address(), u"timedate1"_s), client(bus.address(), u"orvane-system"_s);
        FakeTimedate timedate;
        timedate.refusal = refusal;
        QVERIFY(service.bus().registerObject(u"/org/freedesktop/timedate1"_s, &timedate,
                                             QDBusConnection::ExportAllSlots));
        QVERIFY(service.bus().registerService(u"org.freedesktop.timedate1"_s));
        FakeNtpServer ntp(QHostAddress::LocalHost, 0, FakeNtpServer::Good, offset);
        SystemClock clock;
        RealSystemTimeSetter setter(u"orvane-system"_s, false);
        ScriptedDialogs dialogs;
        NetworkTimeSync sync(clock, setter, dialogs,
                             fetchGiving([](const QByteArray&) { return QByteArray(); }),
                             {{u"127.0.0.1"_s}, ntp.port()});
        QSignalSpy finished(&sync, &NetworkTimeSync::finished);
        sync.start();
        QVERIFY(finished.wait(5000)); // an event loop of its own: QTRY's 50 ms steps would add to the times
        QCOMPARE(dialogs.messages(), saidDone ? QStringList{u"网络校时完成"_s} : QStringList{});
        QCOMPARE(timedate.calls.size(), setCalled ? 1 : 0);
        if (setCalled) {
            const FakeTimedate::Call call = timedate.calls[0];
            QVERIFY2(std::abs(call.usec - (call.receivedUsec + offset)) < 10000,
                     qPrintable(QString::number(call.usec - (call.receivedUsec + offset))));
            QVERIFY(!call.relative);
            QVERIFY(call.interactive);
            QVERIFY(call.interactiveFlag);
        }
    }

    // A real server with the machine's own time: the clock is right, nothing is set. Also the figure for
    // a whole calibration over loopback (the page fetch answering empty at once).
    void chronyNeedsNoSetting() {
        TempDir dir;
        LoopbackChrony chrony(dir);
        if (!chrony.unavailable().isEmpty())
            QSKIP(qPrintable(chrony.unavailable()));
        SystemClock clock;
        RecordingTimeSetter setter;
        ScriptedDialogs dialogs;
        NetworkTimeSync sync(clock, setter, dialogs,
                             fetchGiving([](const QByteArray&) { return QByteArray(); }),
                             {{u"127.0.0.1"_s}, chrony.port()});
        QSignalSpy finished(&sync, &NetworkTimeSync::finished);
        QElapsedTimer timer;
        timer.start();
        sync.start();
        QVERIFY(finished.wait(5000));
        qInfo("calibration over loopback NTP: %lld ms", timer.elapsed());
        QVERIFY(setter.set.isEmpty());
        QCOMPARE(dialogs.messages(), QStringList{u"网络校时完成"_s});
    }

    void elapsedSeconds_data() {
        QTest::addColumn<QDateTime>("t0");
        QTest::addColumn<QDateTime>("t1");
        QTest::addColumn<qint64>("seconds");
        const QDateTime start({2024, 6, 1}, {8, 0});
        QTest::newRow("no time") << start << start << qint64(0);
        QTest::newRow("one second survives the day-count error") << start << start.addSecs(1) << qint64(1);
        QTest::newRow("across midnight")
            << QDateTime({2024, 6, 1}, {23, 59, 59}) << QDateTime({2024, 6, 2}, {0, 0, 2}) << qint64(3);
        QTest::newRow("milliseconds dropped") << start.addMSecs(900) << start.addMSecs(1100) << qint64(1);
    }
    void elapsedSeconds() {
        QFETCH(QDateTime, t0);
        QFETCH(QDateTime, t1);
        QFETCH(qint64, seconds);
        QCOMPARE(elapsedWholeSeconds(t0, t1), seconds);
    }
};

ORVANE_TEST(TimeCalibrationTest)
#include "test_TimeCalibration.moc"
