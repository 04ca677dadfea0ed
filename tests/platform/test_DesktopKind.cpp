// What the program asks of the desktop: whether its tray is a StatusNotifier host (against a fake
// watcher on a bus of the test's own), and Qt's own texts and dates in Chinese.
#include "platform/QtTranslations.h"
#include "platform/StatusNotifierHost.h"

#include "PrivateBus.h"
#include "TestRegistry.h"

#include <QThread>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// The watcher as a StatusNotifier desktop registers it.
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
public:
    explicit FakeWatcher(bool host) : host_(host) {}
    bool hostRegistered() const { return host_; }

private:
    bool host_;
};

} // namespace

class DesktopKindTest : public QObject {
    Q_OBJECT
private slots:
    void statusNotifierHost_data() {
        QTest::addColumn<bool>("watcher");
        QTest::addColumn<bool>("host");
        QTest::addColumn<bool>("present");
        QTest::newRow("watcher with a host: one click restores") << true << true << true;
        QTest::newRow("watcher without a host: Qt uses the XEmbed tray") << true << false << false;
        QTest::newRow("no watcher: the XEmbed tray") << false << false << false;
    }
    void statusNotifierHost() {
        QFETCH(bool, watcher);
        QFETCH(bool, host);
        QFETCH(bool, present);
        TempDir dir;
        PrivateBus bus(dir);
        QVERIFY(!bus.address().isEmpty());
        BusPeer desktop(bus.address(), u"desktop"_s);
        FakeWatcher fake(host);
        if (watcher) {
            QVERIFY(desktop.bus().registerObject(u"/StatusNotifierWatcher"_s, &fake,
                                                 QDBusConnection::ExportAllProperties));
            QVERIFY(desktop.bus().registerService(u"org.kde.StatusNotifierWatcher"_s));
        }
        // The watcher answers from this thread's event loop while the probe waits for it.
        const BusPeer program(bus.address(), u"program"_s);
        bool answer = !present;
        QThread* probe = QThread::create([&] { answer = statusNotifierHostPresent(u"program"_s); });
        probe->start();
        QTRY_VERIFY(probe->isFinished());
        delete probe;
        QCOMPARE(answer, present);
    }

    void qtSpeaksChinese() {
        QVERIFY(useChineseQtTexts());
        QVERIFY(useChineseQtTexts()); // installed once, asked again
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"取消"_s);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), u"确定"_s);
        // The file dialog's type column, which the installed catalogue lacks, and its dates, which Qt
        // writes in the system's locale: Chinese also in a session without one (the tests run in C.UTF-8).
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms"),
                 u"文件夹"_s);
        QCOMPARE(QLocale::system().toString(QDate(2026, 12, 8), QLocale::LongFormat),
                 u"2026年12月8日星期二"_s);
    }
};

ORVANE_TEST(DesktopKindTest)
#include "test_DesktopKind.moc"
