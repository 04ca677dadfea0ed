// Network time calibration: time pages as a table, the fetch's seconds added, success said only once set.
#include "FakeClock.h"
#include "LoopbackHttpServer.h"
#include "ScriptedDialogs.h"
#include "TestRegistry.h"
#include "common/GbkText.h"
#include "net/TimeCalibration.h"
#include "platform/SystemTimeSetter.h"

#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

namespace {

class RecordingTimeSetter final : public SystemTimeSetter {
public:
    bool refuse = false;
    QList<QDateTime> set;
    bool setLocalTime(const QDateTime& local) override {
        set.append(local);
        return !refuse;
    }
};

QByteArray page(const QString& date, const QByteArray& time) {
    return "<script>document.write('" + gbk::encode(date) + "')</script>\n<script>" + time + "</script>";
}

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
        test::FakeClock clock(QDateTime({2024, 6, 1}, {8, 0}));
        RecordingTimeSetter setter;
        test::ScriptedDialogs dialogs;
        SyncClockFromNetwork(clock, setter, dialogs, [&](const QByteArray&, const PageCallback& done) {
            clock.advance(fetchSeconds);
            done(page);
        });
        if (expected.isValid()) {
            QCOMPARE(setter.set, QList<QDateTime>{expected});
            QCOMPARE(dialogs.messages(), QStringList{u"网络校时完成"_s});
        } else {
            QVERIFY(setter.set.isEmpty());
            QVERIFY(dialogs.shown().isEmpty());
        }
    }

    void refusedClockIsSilent() {
        test::FakeClock clock;
        RecordingTimeSetter setter;
        setter.refuse = true;
        test::ScriptedDialogs dialogs;
        SyncClockFromNetwork(clock, setter, dialogs, [](const QByteArray&, const PageCallback& done) {
            done(page(u"2010年03月15日"_s, "var hrs = 1; var min = 2; var sec = 3;"));
        });
        QCOMPARE(setter.set.size(), 1);
        QVERIFY(dialogs.shown().isEmpty());
    }

    // The real fetch: the page comes from a server, cut at a zero byte; the fetch's seconds count.
    void pageFromLoopbackServer() {
        test::LoopbackHttpServer server;
        test::FakeClock clock(QDateTime({2024, 6, 1}, {8, 0}));
        server.setHandler([&clock](const QByteArray&) {
            clock.advance(3);
            return test::LoopbackHttpServer::ok(
                page(u"2010年03月15日"_s, "var hrs = 12; var min = 30; var sec = 45;") +
                QByteArray("\0var sec = 59;", 14));
        });
        RecordingTimeSetter setter;
        test::ScriptedDialogs dialogs;
        SyncClockFromNetwork(clock, setter, dialogs, {}, server.url("/stime.asp"));
        QVERIFY(setter.set.isEmpty()); // the page comes later, in the event loop
        QTRY_COMPARE(setter.set, QList<QDateTime>{QDateTime({2010, 3, 15}, {12, 30, 48})});
        QVERIFY(server.requests().value(0).startsWith("GET /stime.asp HTTP/1.0\r\n"));
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
