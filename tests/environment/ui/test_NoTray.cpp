// On a real X server without a notification area, minimising must leave the window in the task bar:
// hidden, it could never be brought back. With one (trayer), it hides and the tray brings it back.
#include "FakeServices.h"
#include "RecordingSoundPlayer.h"
#include "TestRegistry.h"
#include "app/MainWindow.h"
#include "resources/resources.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// A notification area of our own on the test's X server, ended with the test.
class Trayer {
public:
    bool start() {
        const QString exe = QStandardPaths::findExecutable(u"trayer"_s);
        if (exe.isEmpty())
            return false;
        process_.start(exe, {u"--edge"_s, u"top"_s, u"--expand"_s, u"false"_s});
        return process_.waitForStarted(5000);
    }
    ~Trayer() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(5000))
                process_.kill();
        }
    }

private:
    QProcess process_;
};

} // namespace

class NoTrayTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvaneInitResources(); }

    void minimise_data() {
        QTest::addColumn<bool>("withTray");
        QTest::newRow("bare X server: hiding would lose the window for good") << false;
        QTest::newRow("notification area present: the window hides to it") << true;
    }
    void minimise() {
        QFETCH(bool, withTray);
        if (QGuiApplication::platformName() != u"xcb"_s)
            QSKIP("needs a real X server: run under xvfb-run with QT_QPA_PLATFORM=xcb");
        Trayer trayer;
        if (withTray) {
            if (!trayer.start())
                QSKIP("trayer is not installed");
            QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);
        } else {
            QVERIFY2(!QSystemTrayIcon::isSystemTrayAvailable(), "this X server already has a tray");
        }
        FakeServices f;
        RecordingSoundPlayer sound;
        MainWindow w(f.services(&sound));
        QVERIFY(w.StartUp());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.finishStartUp();
        QVERIFY(w.trayIcon() != nullptr);

        w.showMinimized();
        QCoreApplication::processEvents(); // the hide is posted, never done inside the state change
        QCoreApplication::processEvents();
        QCOMPARE(w.isVisible(), !withTray);
        if (withTray) {
            w.RestoreFromTray(MainWindow::TrayAction::DoubleClick);
            QVERIFY(w.isVisible());
        } else {
            QVERIFY(w.isMinimized());
        }
        QVERIFY2(f.dialogs.log().isEmpty(), qPrintable(f.dialogs.log().join(u'\n')));
    }
};

ORVANE_TEST(NoTrayTest)
#include "test_NoTray.moc"
