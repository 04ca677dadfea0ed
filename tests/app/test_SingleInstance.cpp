// One instance per user: a second claim fails and raises the first, handing over its activation token;
// the lock dies with its holder.
#include "TempDir.h"
#include "TestRegistry.h"
#include "app/SingleInstance.h"

#include <QSignalSpy>
#include <QtTest>

#include <cstring>
#include <optional>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace orvane;

namespace {

// Sets XDG_ACTIVATION_TOKEN of this process for one scope (empty: unset).
struct ActivationTokenEnv {
    const std::optional<QByteArray> saved = qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN")
                                                ? std::optional(qgetenv("XDG_ACTIVATION_TOKEN"))
                                                : std::nullopt;
    explicit ActivationTokenEnv(const QByteArray& token) { set(token); }
    ~ActivationTokenEnv() { set(saved.value_or(QByteArray())); }
    static void set(const QByteArray& token) {
        if (token.isEmpty())
            qunsetenv("XDG_ACTIVATION_TOKEN");
        else
            qputenv("XDG_ACTIVATION_TOKEN", token);
    }
};

// Another process on the socket: writes `bytes` and closes.
bool callWith(const QString& socketPath, const QByteArray& bytes) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socketPath);
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                    ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    return ok;
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondStartRaisesTheFirst() {
        const QByteArray token("orvane-clock/1234_TIME5678-a:b=c"); // as the launcher gave it
        test::TempDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.claim());
        QSignalSpy raised(&first, &SingleInstance::activationRequested);
        {
            ActivationTokenEnv env(token);
            SingleInstance second(dir.path());
            QVERIFY(!second.claim());
        }
        QTRY_COMPARE(raised.size(), 1);
        QCOMPARE(raised.at(0).at(0).toByteArray(), token);
    }

    // What another process writes is checked before it can reach the environment.
    void callerBytesChecked_data() {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("token");
        QTest::newRow("4 KiB in several reads kept") << QByteArray(4096, 'a') << QByteArray(4096, 'a');
        QTest::newRow("one byte over 4 KiB dropped") << QByteArray(4097, 'a') << QByteArray();
        QTest::newRow("control character dropped") << QByteArray("abc\n\x1b[2J") << QByteArray();
        QTest::newRow("non-ASCII dropped") << QByteArray("令牌") << QByteArray();
    }
    void callerBytesChecked() {
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, token);
        test::TempDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.claim());
        QSignalSpy raised(&first, &SingleInstance::activationRequested);
        QVERIFY(callWith(dir.file(QStringLiteral("orvane-clock.sock")), sent));
        QTRY_COMPARE(raised.size(), 1); // still shown
        QCOMPARE(raised.at(0).at(0).toByteArray(), token);
    }

    void lockAndSocketOfAnEndedInstanceAreTakenOver() {
        test::TempDir dir;
        {
            SingleInstance gone(dir.path());
            QVERIFY(gone.claim());
        }
        QFile stale(dir.file(QStringLiteral("orvane-clock.sock"))); // as a killed instance leaves it
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance next(dir.path());
        QVERIFY(next.claim());
        QSignalSpy raised(&next, &SingleInstance::activationRequested);
        ActivationTokenEnv env(QByteArray{});
        SingleInstance later(dir.path());
        QVERIFY(!later.claim());
        QTRY_COMPARE(raised.size(), 1);
        QCOMPARE(raised.at(0).at(0).toByteArray(), QByteArray()); // no token: still raised
    }
};

ORVANE_TEST(SingleInstanceTest)
#include "test_SingleInstance.moc"
