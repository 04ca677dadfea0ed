// With no network the feedback post must give its failure message and the time calibration stay silent,
// both promptly, through the real HTTP layer (libcurl) and, for the calibration, SNTP.
#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "TestRegistry.h"
#include "net/Feedback.h"
#include "net/HttpRequest.h"
#include "net/TimeCalibration.h"
#include "platform/SystemTimeSetter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// A failure at the first step (no route, no name, refused) must not wait for the 18 s time-outs.
constexpr qint64 kPromptMs = 5000;

struct RecordingSetter final : SystemTimeSetter {
    QList<QDateTime> set;
    void setTime(const QDateTime& time, Done done) override {
        set.append(time);
        done(TimeSetResult::Set, {});
    }
};

quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort(); // closed again when probe goes (0 when the loopback is down)
}

// Only a loopback interface in this process's network namespace (/proc/net/dev is per namespace; /sys
// is not remounted by unshare): the program's real addresses can be tried without reaching anyone.
bool networkIsolated() {
    QFile dev(u"/proc/net/dev"_s);
    if (!dev.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = dev.readAll().split('\n');
    for (const QByteArray& line : lines.mid(2)) // two header lines
        if (line.contains(':') && line.left(line.indexOf(':')).trimmed() != "lo")
            return false;
    return true;
}

} // namespace

class NoNetworkTest : public QObject {
    Q_OBJECT
private slots:
    void addresses_data() {
        QTest::addColumn<QByteArray>("url"); // empty: the program's own address
        QTest::addColumn<bool>("needsIsolation");
        QTest::newRow("refused connection on the loopback")
            << "http://127.0.0.1:" + QByteArray::number(closedPort()) + "/" << false;
        QTest::newRow("name that never resolves") << QByteArray("http://orvane-clock.invalid/") << true;
        QTest::newRow("address with no route") << QByteArray("http://192.0.2.1/stime.asp") << true;
        QTest::newRow("the program's own address, offline") << QByteArray() << true;
    }

    void feedbackFailsPromptly_data() { addresses_data(); }
    void feedbackFailsPromptly() {
        QFETCH(QByteArray, url);
        QFETCH(bool, needsIsolation);
        if (needsIsolation && !networkIsolated())
            QSKIP("needs a private network namespace (run through tests/environment/without-network)");
        QElapsedTimer timer;
        timer.start();
        QString message;
        submitFeedback(
            u"张三"_s, u"z@example.com"_s, u"很好用"_s, [&message](const QString& text) { message = text; },
            this, url);
        QTRY_VERIFY_WITH_TIMEOUT(!message.isEmpty(), 30000);
        QVERIFY2(timer.elapsed() < kPromptMs, qPrintable(u"took %1 ms"_s.arg(timer.elapsed())));
        QCOMPARE(message, u"意见提交失败，请检测网络"_s);
    }

    void calibrationStaysSilent_data() { addresses_data(); }
    void calibrationStaysSilent() {
        QFETCH(QByteArray, url);
        QFETCH(bool, needsIsolation);
        if (needsIsolation && !networkIsolated())
            QSKIP("needs a private network namespace (run through tests/environment/without-network)");
        FakeClock clock;
        RecordingSetter setter;
        ScriptedDialogs dialogs;
        // The real public NTP servers only where nothing can be reached; else a closed loopback port.
        const NtpServers servers =
            needsIsolation ? NtpServers::standard() : NtpServers{{u"127.0.0.1"_s}, closedPort()};
        NetworkTimeSync sync(
            clock, setter, dialogs,
            [](const PageRequest& request, PageCallback done) { FetchPage(request.url, std::move(done)); },
            servers, url);
        QSignalSpy finished(&sync, &NetworkTimeSync::finished);
        QElapsedTimer timer;
        timer.start();
        sync.start();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, int(kPromptMs));
        QVERIFY2(timer.elapsed() < kPromptMs, qPrintable(u"took %1 ms"_s.arg(timer.elapsed())));
        QVERIFY2(dialogs.log().isEmpty(), qPrintable(dialogs.log().join(u'\n')));
        QVERIFY(setter.set.isEmpty()); // the clock is never set from an empty page
    }
};

ORVANE_TEST(NoNetworkTest)
#include "test_NoNetwork.moc"
