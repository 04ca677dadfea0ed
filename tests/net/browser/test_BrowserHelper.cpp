// The browser helper's life as the program sees it: started at the first page, one for several windows,
// gone with the engine's processes after the last, a killed one replaced at the next click.
#include "BrowserTestSupport.h"
#include "ScriptedDialogs.h"
#include "TestRegistry.h"
#include "net/RemoteBrowser.h"

#include <QDir>
#include <QPushButton>

#include <csignal>

using namespace orvane;
using namespace orvane::test;
using browserProtocol::PageKind;

namespace {

// The process and every process below it (the engine's own), by pid.
QList<qint64> processTree(qint64 pid) {
    QList<qint64> tree{pid};
    for (const QString& task :
         QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(QStringLiteral("/proc/%1/task/%2/children").arg(pid).arg(task));
        if (children.open(QIODevice::ReadOnly))
            for (const QByteArray& child : children.readAll().simplified().split(' '))
                if (!child.isEmpty())
                    tree += processTree(child.toLongLong());
    }
    return tree;
}

// Whether any of them still runs (a zombie has ended: what it held is freed).
bool anyRuns(const QList<qint64>& pids) {
    for (qint64 pid : pids) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (stat.open(QIODevice::ReadOnly)) {
            const QByteArray text = stat.readAll();
            if (text.mid(text.lastIndexOf(')') + 2, 1) != "Z")
                return true;
        }
    }
    return false;
}

} // namespace

class BrowserHelperTest : public QObject {
    Q_OBJECT
    LinkPages server_;
    ScriptedDialogs dialogs_;

private slots:
    void init() { dialogs_.clear(); }

    void startedAtTheFirstPageAndGoneAfterTheLast() {
        QWidget opener;
        opener.show();
        RemoteBrowser browsers(dialogs_);
        BrowserHelper& helper = browsers.helper();
        QSignalSpy loaded(&helper, &BrowserHelper::loaded);
        QCOMPARE(helper.processId(), 0); // nothing runs before the first page
        // 12月15日 in GBK: the address's bytes reach the server as the program wrote them.
        browsers.open(PageKind::BrowserWindow,
                      server_.url("/today/index.asp?key=12\xD4\xC2"
                                  "15\xC8\xD5"),
                      &opener);
        const qint64 pid = helper.processId();
        QVERIFY(pid != 0);
        browsers.open(PageKind::WeatherWindow, server_.url("/weather"), &opener);
        QCOMPARE(helper.processId(), pid); // one helper for both windows
        QVERIFY(runUntil([&] { return loaded.size() == 2; }));
        QVERIFY(server_.paths().contains("/today/index.asp?key=12%D4%C215%C8%D5"));
        const QList<qint64> engine = processTree(pid);
        QVERIFY2(engine.size() > 1, "the engine's processes run below the helper");

        helper.close(loaded[0][0].toInt());
        QCOMPARE(helper.processId(), pid); // the other window still needs it
        QVERIFY(anyRuns({pid}));
        helper.close(loaded[1][0].toInt());
        QCOMPARE(helper.processId(), 0);
        QVERIFY2(runUntil([&] { return !anyRuns(engine); }, 10000),
                 "the helper or its engine outlived the last page");
        QVERIFY(dialogs_.shown().isEmpty());
    }

    // Killed while its window stands over the opener: the program goes on, the opener takes input again,
    // and the next click starts a new helper that shows its page.
    void killedHelperReplacedByTheNextClick() {
        QWidget opener;
        auto* button = new QPushButton(QStringLiteral("按钮"), &opener);
        opener.show();
        QVERIFY(QTest::qWaitForWindowExposed(&opener));
        QSignalSpy clicks(button, &QPushButton::clicked);
        RemoteBrowser browsers(dialogs_);
        BrowserHelper& helper = browsers.helper();
        QSignalSpy loaded(&helper, &BrowserHelper::loaded), closed(&helper, &BrowserHelper::closed),
            shown(&helper, &BrowserHelper::shown);
        browsers.open(PageKind::BrowserWindow, server_.url("/first"), &opener);
        QVERIFY(runUntil([&] { return loaded.size() == 1 && shown.size() == 1; }));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks.size(), 0); // the browser window stands over it as a modal window would

        const qint64 pid = helper.processId();
        const QList<qint64> engine = processTree(pid);
        const int page = loaded[0][0].toInt();
        QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
        helper.navigate(page, server_.url("/after-the-kill")); // written to a dead helper: no SIGPIPE
        QVERIFY(runUntil([&] { return closed.size() == 1; }));
        QCOMPARE(closed[0][0].toInt(), page);
        QCOMPARE(helper.processId(), 0);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks.size(), 1);
        QVERIFY2(runUntil([&] { return !anyRuns(engine); }, 10000), "the engine outlived its killed helper");

        browsers.open(PageKind::BrowserWindow, server_.url("/second"), &opener);
        QVERIFY(helper.processId() != 0 && helper.processId() != pid);
        QVERIFY(runUntil([&] { return loaded.size() == 2; }));
        QCOMPARE(loaded[1][2].toUrl().path(), QStringLiteral("/second"));
        QVERIFY(dialogs_.shown().isEmpty()); // a killed helper is not a missing one
        helper.close(loaded[1][0].toInt());
    }

    void helperThatCannotRunIsReported_data() {
        QTest::addColumn<QString>("program");
        QTest::newRow("missing") << QStringLiteral("/nonexistent/orvane-browser");
        // As one without the engine's libraries does: the loader ends it before it shows anything.
        QTest::newRow("ending at once") << QStandardPaths::findExecutable(QStringLiteral("false"));
    }
    void helperThatCannotRunIsReported() {
        QFETCH(QString, program);
        QWidget opener;
        RemoteBrowser browsers(dialogs_);
        browsers.helper().setProgram(program);
        QSignalSpy closed(&browsers.helper(), &BrowserHelper::closed);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^browser helper ")));
        browsers.open(PageKind::BrowserWindow, server_.url("/page"), &opener);
        QVERIFY(runUntil([&] { return closed.size() == 1; }));
        QCOMPARE(dialogs_.errorMessages(),
                 QStringList{QStringLiteral("无法显示网页：浏览器组件 orvane-browser 未能启动。")});
        QCOMPARE(browsers.helper().processId(), 0);
    }
};

ORVANE_TEST(BrowserHelperTest)
#include "test_BrowserHelper.moc"
