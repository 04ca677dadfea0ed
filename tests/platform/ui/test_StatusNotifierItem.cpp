// The program's StatusNotifier item as a panel sees it on a bus of the test's own: the menu it draws from
// the item's actions, what a click in that menu does, and the activation token handed over with a click.
#include "platform/DBusMenuAdaptor.h"
#include "platform/StatusNotifierItem.h"

#include "PrivateBus.h"
#include "TestRegistry.h"

#include <QAction>
#include <QDBusPendingCall>
#include <QSignalSpy>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// The panel's watcher: it takes every item.
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
public slots:
    void RegisterStatusNotifierItem(const QString&) {}
};

// The item registered with the panel's watcher, and the panel's calls to it.
struct World {
    TempDir dir;
    PrivateBus bus{dir};
    BusPeer program{bus.address(), u"program"_s};
    BusPeer panel{bus.address(), u"panel"_s};
    FakeWatcher watcher;
    StatusNotifierItem item{u"Orvane电脑闹钟"_s, QIcon(), u"program"_s};
    bool registered() {
        if (!panel.bus().registerObject(u"/StatusNotifierWatcher"_s, &watcher,
                                        QDBusConnection::ExportAllSlots) ||
            !panel.bus().registerService(u"org.kde.StatusNotifierWatcher"_s))
            return false;
        item.start();
        return QTest::qWaitFor([&] { return item.registered(); }, 5000);
    }
    // Asynchronous: the item answers from this thread.
    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& args) const {
        QDBusMessage message = QDBusMessage::createMethodCall(item.serviceName(), path, interface, method);
        message.setArguments(args);
        QDBusPendingCall pending = panel.bus().asyncCall(message);
        if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 5000))
            return QDBusMessage::createError(u"org.freedesktop.DBus.Error.Timeout"_s, u"no answer"_s);
        return pending.reply();
    }
    QDBusMessage menu(const QString& method, const QVariantList& args) const {
        return call(StatusNotifierItem::menuPath(), u"com.canonical.dbusmenu"_s, method, args);
    }
};

} // namespace

class StatusNotifierItemTest : public QObject {
    Q_OBJECT
private slots:
    // Each action as the panel draws it: Qt's access keys in the protocol's form, the state of each entry.
    void menuEntries() {
        World w;
        QAction open(u"显示主窗口(&S)"_s), plain(u"a_b && c"_s), off(u"不可用"_s), hidden(u"隐藏"_s), line;
        off.setEnabled(false);
        hidden.setVisible(false);
        line.setSeparator(true);
        w.item.setMenuActions({&open, &plain, &off, &hidden, &line});
        QVERIFY(w.registered());
        DBusMenuLayout root;
        w.menu(u"GetLayout"_s, {0, -1, QStringList()}).arguments().value(1).value<QDBusArgument>() >> root;
        QStringList entries;
        for (const DBusMenuLayout& e : root.children)
            entries << u"%1 %2 %3 %4"_s.arg(e.properties.value(u"type"_s, u"-"_s).toString(),
                                            e.properties.value(u"label"_s, u"-"_s).toString(),
                                            e.properties.value(u"enabled"_s, u"-"_s).toString(),
                                            e.properties.value(u"visible"_s).toString());
        QCOMPARE(entries,
                 (QStringList{u"- 显示主窗口(_S) true true"_s, u"- a__b & c true true"_s,
                              u"- 不可用 false true"_s, u"- 隐藏 false false"_s, u"separator - - true"_s}));

        // A click on an entry triggers its action once the panel has its answer; a disabled entry, another
        // event or an entry that is not there does nothing.
        QSignalSpy opened(&open, &QAction::triggered), refused(&off, &QAction::triggered);
        const QVariant none = QVariant::fromValue(QDBusVariant(0));
        for (const QVariantList& event : {QVariantList{1, u"clicked"_s, none, 0u},
                                          {3, u"clicked"_s, none, 0u},
                                          {1, u"hovered"_s, none, 0u},
                                          {9, u"clicked"_s, none, 0u}})
            QCOMPARE(w.menu(u"Event"_s, event).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(opened.count(), 1);
        QCOMPARE(refused.count(), 0);

        // A changed action makes the panel read the menu again.
        QSignalSpy updated(w.item.findChild<DBusMenuAdaptor*>(), &DBusMenuAdaptor::LayoutUpdated);
        const uint before = w.menu(u"GetLayout"_s, {0, 0, QStringList()}).arguments().value(0).toUInt();
        off.setEnabled(true);
        QCOMPARE(updated.count(), 1);
        QVERIFY(updated.at(0).at(0).toUInt() > before);
        QCOMPARE(
            w.menu(u"GetProperty"_s, {3, u"enabled"_s}).arguments().value(0).value<QDBusVariant>().variant(),
            QVariant(true));
    }

    // A panel on Wayland hands over the permission to take the focus just before Activate: it goes with
    // that click only.
    void activationToken() {
        World w;
        QVERIFY(w.registered());
        QSignalSpy activated(&w.item, &StatusNotifierItem::activated);
        const QString item = u"org.kde.StatusNotifierItem"_s;
        w.call(u"/StatusNotifierItem"_s, item, u"ProvideXdgActivationToken"_s, {u"token-1"_s});
        w.call(u"/StatusNotifierItem"_s, item, u"Activate"_s, {10, 20});
        w.call(u"/StatusNotifierItem"_s, item, u"Activate"_s, {10, 20});
        QCOMPARE(activated.count(), 2);
        QCOMPARE(activated.at(0).at(0).toString(), u"token-1"_s);
        QCOMPARE(activated.at(1).at(0).toString(), QString());
    }
};

ORVANE_TEST(StatusNotifierItemTest)
#include "test_StatusNotifierItem.moc"
