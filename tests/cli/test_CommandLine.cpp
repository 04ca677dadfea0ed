// The command line as a user runs it: the built program in a home of its own, with no program running,
// with one running (the command reaches its engine), a database another program holds, bad input, and
// the account password typed on a terminal.
#include "PrivateBus.h"
#include "TempDir.h"
#include "TestRegistry.h"
#include "common/Database.h"
#include "platform/Registry.h"
#include "platform/RegistryValues.h"
#include "protect/PasswordRecord.h"

#include <QDBusInterface>
#include <QDBusReply>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <poll.h>
#include <pty.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvane;

namespace {

struct Ran {
    int exit = -1;
    QString out, err;
};

// The program's folders inside the test's own: data, config and the runtime folder of its lock.
struct ProgramHome {
    test::TempDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    ProgramHome() {
        for (const char* folder : {"data", "config", "run"})
            QDir(dir.path()).mkpath(QLatin1StringView(folder));
        QFile::setPermissions(dir.file(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("HOME"), dir.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.file(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.file(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.file(QStringLiteral("run")));
        env.insert(QStringLiteral("ORVANE_DIALOGS_AUTO"), QStringLiteral("1"));
    }
    QString database() const { return dir.file(QStringLiteral("data/orvane-clock/dbtime.mdb")); }
    Paths paths() const {
        return {dir.file(QStringLiteral("data/orvane-clock")),
                dir.file(QStringLiteral("data/orvane-clock/system")),
                dir.file(QStringLiteral("config/orvane-clock")),
                dir.file(QStringLiteral("config/autostart"))};
    }
    void start(QProcess& process, const QStringList& args) const {
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ORVANE_PROGRAM), args);
    }
    Ran run(const QStringList& args) const {
        QProcess process;
        start(process, args);
        if (!process.waitForFinished(30000))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QJsonArray alarms() const {
        return QJsonDocument::fromJson(run({QStringLiteral("--list"), QStringLiteral("--json")}).out.toUtf8())
            .array();
    }
};

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(u'|');
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    // Each rule as typed is stored as the editor stores it and rings.
    void everyRuleOfTheEditorIsAdded_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("next"); // how the next ring ends
        const QString once = QStringLiteral("2030-12-09 06:50");
        for (const char* rule : {"每天", "星期三", "工作日", "节假日", "农历每年", "农历每月", "节气",
                                 "周一至周五", "周末", "大小周", "上3休3", "每隔3天"})
            QTest::newRow(rule) << QString::fromUtf8(rule) << QStringLiteral("07:30")
                                << QString::fromUtf8(rule) << QStringLiteral(" 07:30");
        QTest::newRow("仅一次 on a date")
            << QStringLiteral("仅一次") << once << QStringLiteral("仅一次") << once;
        QTest::newRow("a set in any order") << QStringLiteral("周四、周二") << QStringLiteral("7:05")
                                            << QStringLiteral("周二、周四") << QStringLiteral(" 07:05");
        QTest::newRow("a shift in Chinese numbers") << QStringLiteral("上三休二") << QStringLiteral("23:59")
                                                    << QStringLiteral("上3休2") << QStringLiteral(" 23:59");
    }
    void everyRuleOfTheEditorIsAdded() {
        QFETCH(QString, rule);
        QFETCH(QString, time);
        QFETCH(QString, stored);
        QFETCH(QString, next);
        ProgramHome home;
        const Ran added = home.run(
            {QStringLiteral("--add"), rule, time, QStringLiteral("赶高铁"), QStringLiteral("--json")});
        QCOMPARE(added.err, QString());
        QCOMPARE(added.exit, 0);
        const QJsonArray alarms = home.alarms();
        QCOMPARE(alarms.size(), 1);
        QCOMPARE(alarms.at(0)[u"rule"].toString(), stored);
        QCOMPARE(alarms.at(0)[u"text"].toString(), QStringLiteral("赶高铁"));
        QVERIFY2(alarms.at(0)[u"next"].toString().endsWith(next),
                 qPrintable(alarms.at(0)[u"next"].toString()));
    }

    void addListSkipRemove() {
        ProgramHome home;
        QCOMPARE(home.run(words("--add|仅一次|2030-12-09 06:50|赶高铁")).exit, 0);
        QCOMPARE(home.run(words("--add|每天|07:30|起床")).exit, 0);
        const QJsonArray alarms = home.alarms();
        QCOMPARE(alarms.size(), 2);
        const QString daily = QString::number(alarms.at(1)[u"key"].toInteger());
        const QString firstRing = alarms.at(1)[u"next"].toString();
        const Ran next = home.run({QStringLiteral("--next")});
        QVERIFY2(next.out.contains(QStringLiteral("起床")) && next.out.contains(firstRing),
                 qPrintable(next.out));

        const Ran skipped = home.run({QStringLiteral("--skip"), daily});
        QCOMPARE(skipped.exit, 0);
        QVERIFY2(skipped.out.contains(firstRing), qPrintable(skipped.out));
        const QJsonObject after = home.alarms().at(1).toObject();
        QCOMPARE(after[u"skipped"].toString(), firstRing);
        QCOMPARE(QDateTime::fromString(after[u"next"].toString(), u"yyyy-MM-dd HH:mm"),
                 QDateTime::fromString(firstRing, u"yyyy-MM-dd HH:mm").addDays(1));

        QCOMPARE(home.run({QStringLiteral("--remove"), daily}).exit, 0);
        const Ran list = home.run({QStringLiteral("--list")});
        QVERIFY(list.out.contains(QStringLiteral("赶高铁")) && !list.out.contains(QStringLiteral("起床")));
    }

    // Taken to a second computer through a file: the same alarms ring there at the same times.
    void exportedAlarmsImportElsewhere() {
        ProgramHome here, there;
        for (const char* args :
             {"--add|周二、周四|07:05|晨跑", "--add|大小周|08:30|上班", "--add|农历每年|09:00|生日"})
            QCOMPARE(here.run(words(args)).exit, 0);
        const QString file = here.dir.file(QStringLiteral("闹钟.ics"));
        const Ran exported = here.run({QStringLiteral("--export"), file});
        QVERIFY2(exported.out.contains(QStringLiteral("已导出 3 个闹钟")), qPrintable(exported.err));
        const Ran imported = there.run({QStringLiteral("--import"), file});
        QVERIFY2(imported.out.startsWith(QStringLiteral("导入 3 个闹钟")),
                 qPrintable(imported.out + imported.err));
        const auto withoutKeys = [](QJsonArray alarms) {
            for (QJsonValueRef alarm : alarms) {
                QJsonObject object = alarm.toObject();
                object.remove(QStringLiteral("key"));
                alarm = object;
            }
            return alarms;
        };
        QCOMPARE(withoutKeys(there.alarms()), withoutKeys(here.alarms()));
    }

    // One line on stderr, an exit code a script can tell apart, and nothing written.
    void badInputChangesNothing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("hour 25") << words("--add|每天|25:00|x") << 2 << QStringLiteral("小时必须是00到23");
        QTest::newRow("time in words") << words("--add|每天|7点半|x") << 2 << QStringLiteral("时间格式错误");
        QTest::newRow("30 February") << words("--add|仅一次|2030-02-30 06:50|x") << 2
                                     << QStringLiteral("时间格式错误");
        QTest::newRow("unknown rule")
            << words("--add|每年|07:30|x") << 2 << QStringLiteral("未知的重复规则：“每年”");
        QTest::newRow("once in the past")
            << words("--add|仅一次|2020-01-01 06:50|x") << 2 << QStringLiteral("不会再响");
        QTest::newRow("| in the text") << QStringList{QStringLiteral("--add"), QStringLiteral("每天"),
                                                      QStringLiteral("07:30"), QStringLiteral("a|b")}
                                       << 2 << QStringLiteral("不能包含");
        QTest::newRow("missing sound file") << words("--add|每天|07:30|x|--sound|/nonexistent/ring.mp3") << 2
                                            << QStringLiteral("找不到铃声文件");
        QTest::newRow("too few operands") << words("--add|每天|07:30") << 2 << QStringLiteral("缺少参数");
        QTest::newRow("unknown option") << words("--frobnicate") << 2 << QStringLiteral("未知的选项");
        QTest::newRow("two commands")
            << words("--list|--next") << 2 << QStringLiteral("一次只能执行一个命令");
        QTest::newRow("unknown key") << words("--remove|99") << 1 << QStringLiteral("没有编号为 99 的闹钟");
        QTest::newRow("key not a number")
            << words("--skip|abc") << 1 << QStringLiteral("没有编号为 abc 的闹钟");
        QTest::newRow("import of a missing file")
            << words("--import|/nonexistent/a.ics") << 2 << QStringLiteral("无法读取文件");
        QTest::newRow("import of a program")
            << QStringList{QStringLiteral("--import"), QStringLiteral(ORVANE_PROGRAM)} << 2
            << QStringLiteral("文件不是 iCalendar 日历格式");
        QTest::newRow("not our database") << words("--list") << 1 << QStringLiteral("数据库打开识别");
    }
    void badInputChangesNothing() {
        QFETCH(QStringList, args);
        QFETCH(int, exit);
        QFETCH(QString, message);
        ProgramHome home;
        const bool foreign = message == u"数据库打开识别";
        QByteArray before;
        if (foreign) {
            QDir().mkpath(QFileInfo(home.database()).path());
            QFile file(home.database());
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a database") > 0);
        }
        const Ran ran = home.run(args);
        QCOMPARE(ran.exit, exit);
        QVERIFY2(ran.err.startsWith(message) || ran.err.contains(message), qPrintable(ran.err));
        QCOMPARE(ran.err.count(u'\n'), 1);
        QCOMPARE(ran.out, QString());
        if (foreign) {
            QFile file(home.database());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("not a database"));
        } else {
            QCOMPARE(home.alarms(), QJsonArray());
        }
    }

    void busyDatabaseIsWaitedFor() {
        ProgramHome home;
        QCOMPARE(home.run({QStringLiteral("--list")}).exit, 0); // makes the file
        Database holder;
        QVERIFY(holder.open(home.database(), Database::Open::ExistingOnly));
        QVERIFY(holder.execute(QStringLiteral("BEGIN EXCLUSIVE")));
        QProcess adding;
        home.start(adding, words("--add|每天|07:30|起床"));
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += adding.readAllStandardError()).contains("等待"), 20000);
        QVERIFY(holder.execute(QStringLiteral("ROLLBACK")));
        QVERIFY(adding.waitForFinished(20000));
        QCOMPARE(adding.exitCode(), 0);
        QCOMPARE(home.alarms().size(), 1);
    }

    // The command goes to the running program's engine: the alarm is in the list it serves on the bus.
    void commandReachesTheRunningProgram() {
        ProgramHome home;
        test::PrivateBus bus(home.dir);
        QVERIFY(!bus.address().isEmpty());
        home.env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        QProcess window;
        home.start(window, {});
        test::BusPeer peer(bus.address(), QStringLiteral("cli-test"));
        QTRY_VERIFY_WITH_TIMEOUT(
            peer.bus().interface()->isServiceRegistered(QStringLiteral("io.github.orvane_clock")), 30000);
        const Ran added = home.run(words("--add|每天|07:30|运行中添加"));
        QCOMPARE(added.err, QString());
        QVERIFY(added.out.startsWith(QStringLiteral("已添加闹钟")));
        QDBusInterface alarms(QStringLiteral("io.github.orvane_clock"),
                              QStringLiteral("/io/github/orvane_clock"),
                              QStringLiteral("io.github.orvane_clock.Alarms"), peer.bus());
        QDBusPendingCall call = alarms.asyncCall(QStringLiteral("Next"));
        QTRY_VERIFY(call.isFinished());
        QCOMPARE(call.reply().arguments().value(2).toString(), QStringLiteral("运行中添加"));
        QVERIFY(home.run({QStringLiteral("--list")}).out.contains(QStringLiteral("运行中添加")));
        window.terminate();
        QVERIFY(window.waitForFinished(10000));
    }

    // Asked on the terminal with the echo off; an argument or stdin never carries it.
    void passwordIsAskedOnTheTerminal_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("typed"); // empty: no question expected
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("right") << words("--add|每天|07:30|x") << QByteArray("secret secret\n") << 0
                               << QStringLiteral("已添加");
        QTest::newRow("wrong") << words("--add|每天|07:30|x") << QByteArray("secret Secret\n") << 3
                               << QStringLiteral("帐号密码错误");
        QTest::newRow("Ctrl+D") << words("--remove|1") << QByteArray("\x04") << 3
                                << QStringLiteral("帐号密码错误");
        QTest::newRow("reading asks nothing")
            << words("--list") << QByteArray() << 0 << QStringLiteral("没有闹钟");
    }
    void passwordIsAskedOnTheTerminal() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, typed);
        QFETCH(int, exit);
        QFETCH(QString, message);
        ProgramHome home;
        Registry registry(home.paths());
        QVERIFY(registry.write(settings::passwordKey(), settings::passwordValue(),
                               passwordRecord(QStringLiteral("secret"), QStringLiteral("secret"))));
        // Made before the fork: the child only calls execve.
        const auto pointers = [](const QStringList& texts, QByteArrayList& bytes) {
            std::vector<char*> list;
            for (const QString& text : texts)
                list.push_back((bytes << text.toUtf8()).last().data());
            list.push_back(nullptr);
            return list;
        };
        QByteArrayList argBytes, envBytes;
        std::vector<char*> argp = pointers(QStringList{QStringLiteral(ORVANE_PROGRAM)} + args, argBytes);
        std::vector<char*> envpp = pointers(home.env.toStringList(), envBytes);
        int master = -1;
        const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
        QVERIFY(child >= 0);
        if (child == 0) {
            ::execve(argp[0], argp.data(), envpp.data());
            ::_exit(127);
        }
        QByteArray shown;
        bool asked = false;
        for (char buffer[1024];;) {
            pollfd wait{master, POLLIN, 0};
            if (::poll(&wait, 1, 20000) <= 0) {
                ::kill(child, SIGKILL); // our own child, silent for 20 s: fail rather than hang
                break;
            }
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break; // EIO: the program ended
            shown.append(buffer, n);
            if (!asked && QString::fromUtf8(shown).contains(QStringLiteral("请输入帐号和密码"))) {
                asked = true;
                shown.clear();
                QCOMPARE(::write(master, typed.constData(), size_t(typed.size())), typed.size());
            }
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        ::close(master);
        QCOMPARE(asked, !typed.isEmpty());
        QVERIFY2(!shown.contains("secret"), shown.constData()); // not echoed
        QVERIFY2(QString::fromUtf8(shown).contains(message), shown.constData());
        QCOMPARE(WEXITSTATUS(status), exit);
    }
};

ORVANE_TEST(CommandLineTest)
#include "test_CommandLine.moc"
