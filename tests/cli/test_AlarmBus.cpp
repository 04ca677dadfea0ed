// The alarms on a private bus: every method as a client calls it, both signals, the refusal of changes
// under an account password, and the shipped introspection file against the object.
#include "cli/AlarmBus.h"

#include "AlarmFixture.h"
#include "PrivateBus.h"
#include "TestRegistry.h"
#include "platform/Registry.h"
#include "platform/RegistryValues.h"
#include "protect/PasswordRecord.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QXmlStreamReader>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;

namespace {

// The signals of the interface as a client on the bus receives them: "AlarmsChanged 3 开会".
class Listener : public QObject {
    Q_OBJECT
public:
    QStringList heard;
public slots:
    void changed(qlonglong key, const QString& text) {
        heard << QStringLiteral("AlarmsChanged %1 %2").arg(key).arg(text);
    }
    void ringing(qlonglong key, const QString& text) {
        heard << QStringLiteral("Ringing %1 %2").arg(key).arg(text);
    }
};

struct World {
    AlarmFixture fixture;
    PrivateBus bus{fixture.dir};
    BusPeer server{bus.address(), QStringLiteral("alarm-bus-server")};
    BusPeer client{bus.address(), QStringLiteral("alarm-bus-client")};
    Registry registry{fixture.paths};
    std::unique_ptr<AlarmEngine> engine = fixture.engine();
    AlarmBus alarms{*engine, registry, fixture.clock};
    Listener listener;

    bool ready() {
        const QString service = AlarmBus::serviceName(), path = AlarmBus::objectPath(),
                      iface = QStringLiteral("io.github.orvane_clock.Alarms");
        return alarms.publish(server.bus()) &&
               client.bus().connect(service, path, iface, QStringLiteral("AlarmsChanged"), &listener,
                                    SLOT(changed(qlonglong, QString))) &&
               client.bus().connect(service, path, iface, QStringLiteral("Ringing"), &listener,
                                    SLOT(ringing(qlonglong, QString)));
    }
    // The call from the other connection; its answer arrives through the event loop.
    QDBusMessage call(const QString& method, const QVariantList& args = {}) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(AlarmBus::serviceName(), AlarmBus::objectPath(),
                                           QStringLiteral("io.github.orvane_clock.Alarms"), method);
        message.setArguments(args);
        QDBusPendingCall pending = client.bus().asyncCall(message);
        if (!QTest::qWaitFor([&] { return pending.isFinished(); }))
            return {};
        return pending.reply();
    }
};

} // namespace

class AlarmBusTest : public QObject {
    Q_OBJECT
private slots:
    void methodsAndTheChangeSignal() {
        World w;
        QVERIFY(w.ready());
        const QDBusMessage added =
            w.call(QStringLiteral("Add"),
                   {QStringLiteral("每天"), QStringLiteral("08:30"), QStringLiteral("开会"), QString()});
        QCOMPARE(added.type(), QDBusMessage::ReplyMessage);
        const qlonglong key = added.arguments().value(0).toLongLong();
        QTRY_COMPARE(w.listener.heard, QStringList{QStringLiteral("AlarmsChanged %1 开会").arg(key)});

        const QDBusMessage next = w.call(QStringLiteral("Next"));
        QCOMPARE(next.arguments(),
                 (QVariantList{key, QStringLiteral("2010-05-03 08:30"), QStringLiteral("开会")}));
        const QDBusArgument list = w.call(QStringLiteral("List")).arguments().value(0).value<QDBusArgument>();
        QList<BusAlarm> alarms;
        list >> alarms;
        QCOMPARE(alarms.size(), 1);
        QCOMPARE(alarms.at(0).rule, QStringLiteral("每天"));

        // A skip moves the next ring: a panel showing it hears of it.
        QCOMPARE(w.call(QStringLiteral("Skip"), {key}).arguments().value(0).toString(),
                 QStringLiteral("2010-05-03 08:30"));
        QTRY_COMPARE(w.listener.heard.size(), 2);
        QCOMPARE(w.call(QStringLiteral("Next")).arguments().value(1).toString(),
                 QStringLiteral("2010-05-04 08:30"));

        QCOMPARE(w.call(QStringLiteral("Remove"), {key}).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(w.listener.heard.size(), 3);
        QCOMPARE(w.call(QStringLiteral("Next")).arguments().value(0).toLongLong(), 0);
        QCOMPARE(w.call(QStringLiteral("Remove"), {key}).errorName(),
                 QStringLiteral("io.github.orvane_clock.Error.UnknownKey"));
        const QDBusMessage bad =
            w.call(QStringLiteral("Add"),
                   {QStringLiteral("每年"), QStringLiteral("08:30"), QStringLiteral("x"), QString()});
        QCOMPARE(bad.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        QVERIFY(bad.errorMessage().contains(QStringLiteral("未知的重复规则")));
    }

    void ringingStopAndSnooze() {
        World w;
        QVERIFY(w.ready());
        const qint64 key = w.fixture.insert(QStringLiteral("每天|2010年5月3日08时30分;真|默认;真|开会"));
        QVERIFY(w.engine->reload());
        w.fixture.clock.set(at(QStringLiteral("2010-05-03 08:30:00")));
        w.engine->tick();
        QTRY_VERIFY(w.listener.heard.contains(QStringLiteral("Ringing %1 开会").arg(key)));
        w.fixture.sound.clear();
        QCOMPARE(w.call(QStringLiteral("StopRinging")).type(), QDBusMessage::ReplyMessage);
        QVERIFY(w.fixture.sound.calls().contains(QStringLiteral("stop")));
        QCOMPARE(w.call(QStringLiteral("Snooze")).type(), QDBusMessage::ReplyMessage);
        QVERIFY(w.engine->putOffMinute(key).has_value());
        // The put-off ring is the next one a panel shows, not tomorrow's.
        QCOMPARE(w.call(QStringLiteral("Next")).arguments().value(1).toString(),
                 QStringLiteral("2010-05-03 08:35"));
    }

    void changesRefusedUnderAPassword_data() {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QVariantList>("args");
        QTest::newRow("Add") << QStringLiteral("Add")
                             << QVariantList{QStringLiteral("每天"), QStringLiteral("08:30"),
                                             QStringLiteral("x"), QString()};
        QTest::newRow("Remove") << QStringLiteral("Remove") << QVariantList{qlonglong(1)};
        QTest::newRow("Skip") << QStringLiteral("Skip") << QVariantList{qlonglong(1)};
    }
    void changesRefusedUnderAPassword() {
        QFETCH(QString, method);
        QFETCH(QVariantList, args);
        World w;
        QVERIFY(w.ready());
        w.fixture.insert(1, QStringLiteral("每天|2010年5月3日08时30分"), QStringLiteral("真|默认"),
                         QStringLiteral("真|开会"));
        QVERIFY(w.engine->reload());
        QVERIFY(w.registry.write(settings::passwordKey(), settings::passwordValue(),
                                 passwordRecord(QStringLiteral("a"), QStringLiteral("a"))));
        QCOMPARE(w.call(method, args).errorName(),
                 QStringLiteral("io.github.orvane_clock.Error.PasswordSet"));
        QCOMPARE(w.fixture.rows().size(), size_t(1));
        QVERIFY(!w.engine->skippedMinute(1));
        QCOMPARE(w.call(QStringLiteral("List")).type(), QDBusMessage::ReplyMessage); // reading stays open
    }

    // What the package ships for clients is what the object answers.
    void shippedIntrospectionMatchesTheObject() {
        World w;
        QVERIFY(w.ready());
        const auto members = [](const QString& xml) {
            QStringList found;
            QXmlStreamReader reader(xml);
            bool inside = false;
            while (!reader.atEnd()) {
                if (!reader.readNextStartElement())
                    continue;
                const QString name = reader.attributes().value(QStringLiteral("name")).toString();
                if (reader.name() == u"interface")
                    inside = name == u"io.github.orvane_clock.Alarms";
                else if (inside && (reader.name() == u"method" || reader.name() == u"signal"))
                    found << name;
                else if (inside && reader.name() == u"arg")
                    found.last() += u' ' + reader.attributes().value(QStringLiteral("type")).toString() +
                                    u' ' + reader.attributes().value(QStringLiteral("direction")).toString();
            }
            return found;
        };
        QFile shipped(QStringLiteral(ORVANE_BUS_XML));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QDBusMessage introspect = QDBusMessage::createMethodCall(
            AlarmBus::serviceName(), AlarmBus::objectPath(),
            QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"));
        QDBusPendingCall pending = w.client.bus().asyncCall(introspect);
        QTRY_VERIFY(pending.isFinished());
        QStringList live = members(pending.reply().arguments().value(0).toString());
        QStringList file = members(QString::fromUtf8(shipped.readAll()));
        live.sort();
        file.sort();
        QCOMPARE(live, file);
    }
};

ORVANE_TEST(AlarmBusTest)
#include "test_AlarmBus.moc"
