// Tests of DBusNotifier against a notification service the test plays on a bus of its own.
#include "platform/DBusNotifier.h"

#include "PrivateBus.h"
#include "TestRegistry.h"

#include <QDBusContext>
#include <QtTest>

#include <utility>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

QDBusMessage serviceSignal(const QString& name, uint id, const QVariant& second) {
    QDBusMessage signal = QDBusMessage::createSignal(u"/org/freedesktop/Notifications"_s,
                                                     u"org.freedesktop.Notifications"_s, name);
    signal << id << second;
    return signal;
}

// The service: records the calls and answers ids 1, 2, 3…, holding the answers back while asked to.
class FakeNotifications : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit FakeNotifications(const QString& address) : peer(address, u"test-notifications"_s) {}
    bool serve() {
        return peer.bus().registerObject(u"/org/freedesktop/Notifications"_s, this,
                                         QDBusConnection::ExportAllSlots) &&
               peer.bus().registerService(u"org.freedesktop.Notifications"_s);
    }
    void releaseReplies() {
        for (const auto& [call, id] : std::exchange(held_, {}))
            peer.bus().send(call.createReply(id));
    }

    BusPeer peer;
    bool holdReplies = false;
    QList<QVariantList> notifies; // the arguments of each Notify
    QStringList closed;           // "close <id>" for each CloseNotification

public slots:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout) {
        notifies << QVariantList{app, replaces, icon, summary, body, actions, hints, timeout};
        if (holdReplies) {
            setDelayedReply(true);
            held_.append({message(), uint(notifies.size())});
        }
        return notifies.size();
    }
    void CloseNotification(uint id) {
        closed << u"close %1"_s.arg(id);
        peer.bus().send(serviceSignal(u"NotificationClosed"_s, id, 3u)); // 3: closed by a call
    }

private:
    QList<std::pair<QDBusMessage, uint>> held_;
};

struct World {
    TempDir dir;
    PrivateBus bus{dir};
    FakeNotifications service{bus.address()};
    DBusNotifier notifier{bus.address()};
};

} // namespace

class DBusNotifierTest : public QObject {
    Q_OBJECT

private slots:
    void notifyArguments() {
        World w;
        QVERIFY(w.service.serve());
        w.notifier.notify(u"闹钟"_s, u"07:30 起床"_s, {{u"later"_s, u"稍后"_s}, {u"stop"_s, u"停止"_s}});
        QTRY_COMPARE(w.service.notifies.size(), 1);
        QVariantList call = w.service.notifies.first();
        const QVariantMap hints = call.takeAt(6).toMap();
        QCOMPARE(call, (QVariantList{u"Orvane电脑闹钟"_s, 0u, u"orvane-clock"_s, u"闹钟"_s, u"07:30 起床"_s,
                                     QStringList{u"later"_s, u"稍后"_s, u"stop"_s, u"停止"_s}, 0}));
        // A byte: a service may ignore an urgency of any other type, and the alarm would time out.
        QCOMPARE(hints.value(u"urgency"_s).metaType(), QMetaType::fromType<uchar>());
        QCOMPARE(hints.value(u"urgency"_s).toInt(), 2);
        QCOMPARE(hints.value(u"desktop-entry"_s).toString(), u"orvane-clock"_s);
    }

    void answers_data() {
        QTest::addColumn<bool>("holdReplies");
        // "action|impostor <id> <key>", "dismiss <id>" (NotificationClosed), "close <handle>", "release";
        // A and B are the two notifications shown first (ids 1 and 2). Each row ends with a step that
        // counts, so what should have been ignored would show before it.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("outcome"); // actionInvoked "<A|B> <key>", then the service's closes
        const auto row = [](const char* name, bool hold, const QString& steps, const QString& outcome) {
            QTest::newRow(name) << hold << steps.split(u',') << outcome.split(u',', Qt::SkipEmptyParts);
        };
        row("an action on ours: its handle and key", false, u"action B later"_s, u"B later"_s);
        row("an action on an id not ours is ignored", false, u"action 7 stop,action A stop"_s, u"A stop"_s);
        row("an action from a peer without the service's name is ignored", false,
            u"impostor A stop,action B stop"_s, u"B stop"_s);
        row("an id the service closed is ours no more", false, u"dismiss A,action A stop,action B stop"_s,
            u"B stop"_s);
        row("close sends its id", false, u"close B"_s, u"close 2"_s);
        row("close before the reply closes the right id once it comes", true, u"close B,release"_s,
            u"close 2"_s);
        row("closing 0, an unknown or a closed handle sends nothing", false,
            u"close 0,close 99,close B,close B,close A"_s, u"close 2,close 1"_s);
    }
    void answers() {
        QFETCH(bool, holdReplies);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, outcome);
        World w;
        const BusPeer impostor(w.bus.address(), u"test-impostor"_s);
        QVERIFY(w.service.serve());
        w.service.holdReplies = holdReplies;
        const quint64 a = w.notifier.notify(u"A"_s, {}, {}), b = w.notifier.notify(u"B"_s, {}, {});
        QStringList heard;
        connect(&w.notifier, &DBusNotifier::actionInvoked, this, [&](quint64 handle, const QString& key) {
            heard << (handle == a ? u"A "_s : handle == b ? u"B "_s : u"? "_s) + key;
        });
        QTRY_COMPARE(w.service.notifies.size(), 2);
        if (!holdReplies) { // the ids are known once an action sent after the replies is heard
            QVERIFY(w.service.peer.emitSignal(serviceSignal(u"ActionInvoked"_s, 1, u"ready"_s)));
            QTRY_COMPARE(std::as_const(heard), QStringList{u"A ready"_s});
            heard.clear();
        }
        for (const QString& step : steps) {
            const QStringList word = step.split(u' ');
            const auto pick = [&](quint64 forA, quint64 forB) {
                return word[1] == u"A"_s ? forA : word[1] == u"B"_s ? forB : word[1].toULongLong();
            };
            if (word[0] == u"close"_s)
                w.notifier.close(pick(a, b));
            else if (word[0] == u"release"_s)
                w.service.releaseReplies();
            else
                QVERIFY((word[0] == u"impostor"_s ? impostor : w.service.peer)
                            .emitSignal(word[0] == u"dismiss"_s
                                            ? serviceSignal(u"NotificationClosed"_s, pick(1, 2), 2u)
                                            : serviceSignal(u"ActionInvoked"_s, pick(1, 2), word[2])));
        }
        QTRY_COMPARE(heard + w.service.closed, outcome);
    }

    // A service that appears late: one warning however many were lost, then it works; nothing is invoked.
    void serviceMissing() {
        World w;
        QSignalSpy invoked(&w.notifier, &DBusNotifier::actionInvoked);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^notification not shown: ."_s));
        QTest::failOnWarning(QRegularExpression(u"."_s));
        const quint64 lost = w.notifier.notify(u"1"_s, {}, {});
        w.notifier.notify(u"2"_s, {}, {});
        QVERIFY(w.service.serve());
        const quint64 shown = w.notifier.notify(u"3"_s, {}, {});
        w.notifier.close(lost);
        w.notifier.close(shown);
        // Closed once its reply came, which is after the two errors: both have been handled by now.
        QTRY_COMPARE(w.service.closed, QStringList{u"close 1"_s});
        QCOMPARE(invoked.count(), 0);
    }

    // No bus: nothing at construction (start-up does not connect), one warning at the first notify.
    void busMissing() {
        TempDir dir;
        QTest::failOnWarning(QRegularExpression(u"."_s));
        DBusNotifier notifier(u"unix:path="_s + dir.file(u"no-bus"_s));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^no notifications, no bus: ."_s));
        QVERIFY(notifier.notify(u"1"_s, {}, {}) != notifier.notify(u"2"_s, {}, {}));
        notifier.close(1);
    }
};

ORVANE_TEST(DBusNotifierTest)
#include "test_DBusNotifier.moc"
