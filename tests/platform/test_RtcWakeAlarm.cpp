// Tests of waking the machine for an alarm: the wake helper's checks of its one argument, and
// RtcWakeAlarm running it. The helper here is a copy built to write a test file in place of the
// real-time clock's; the alarm timer is left out, as it would arm the machine's own clock.
#include "platform/RtcWakeAlarm.h"

#include "TestRegistry.h"
#include "platform/wakealarm/HelperExit.h"

#include <QtTest>

using orvane::RtcWakeAlarm;
using orvane::WakeSupport;
using namespace orvane::wakehelper;
using namespace Qt::Literals::StringLiterals;

namespace orvane {
char* toString(WakeSupport support) {
    const char* names[] = {"Unknown", "Ready", "NoRtc", "NotPermitted"};
    return qstrdup(names[int(support)]);
}
} // namespace orvane

namespace {
const QString kHelper = QStringLiteral(ORVANE_WAKE_HELPER_TEST);
const QString kClockFile = QStringLiteral(ORVANE_WAKE_HELPER_TEST_FILE);
const QByteArray kUntouched = "untouched\n";
constexpr qint64 kDay = 24 * 60 * 60;

// The file the test helper writes, created for each test and removed after it.
class ClockFile {
public:
    explicit ClockFile(bool present) {
        QDir().mkpath(QFileInfo(kClockFile).path());
        QFile::remove(kClockFile);
        QFile file(kClockFile);
        if (present)
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kUntouched) == kUntouched.size());
    }
    ~ClockFile() { QFile::remove(kClockFile); }
    QByteArray text() const {
        QFile file(kClockFile);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

qint64 now() {
    return QDateTime::currentSecsSinceEpoch();
}
} // namespace

class RtcWakeAlarmTest : public QObject {
    Q_OBJECT

private slots:
    // "+N" in an argument stands for N seconds from now; "=" in the written column for that time and a
    // line end.
    void helper_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("an hour ahead is written") << QStringList{u"+3600"_s} << kDone << QByteArray("=");
        QTest::newRow("just under 400 days ahead is written")
            << QStringList{QString::number(400 * kDay - 60).prepend(u'+')} << kDone << QByteArray("=");
        QTest::newRow("0 takes the armed time back") << QStringList{u"0"_s} << kDone << QByteArray("0\n");
        QTest::newRow("text is refused") << QStringList{u"tomorrow"_s} << kRefused << kUntouched;
        QTest::newRow("a number followed by text is refused")
            << QStringList{u"+3600x"_s} << kRefused << kUntouched;
        QTest::newRow("a negative number is refused") << QStringList{u"-5"_s} << kRefused << kUntouched;
        QTest::newRow("a minute ago is refused") << QStringList{u"+-60"_s} << kRefused << kUntouched;
        QTest::newRow("more than 400 days ahead is refused")
            << QStringList{QString::number(400 * kDay + 60).prepend(u'+')} << kRefused << kUntouched;
        QTest::newRow("two numbers are refused")
            << QStringList{u"+3600"_s, u"+7200"_s} << kRefused << kUntouched;
        QTest::newRow("no argument is refused") << QStringList{} << kRefused << kUntouched;
    }
    void helper() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, written);
        const ClockFile clock(true);
        const qint64 base = now();
        qint64 time = 0;
        static const QRegularExpression offset(u"\\+(-?\\d+)"_s);
        for (QString& argument : arguments) {
            QString filled;
            qsizetype copied = 0;
            for (const QRegularExpressionMatch& m : offset.globalMatch(argument)) {
                time = base + m.captured(1).toLongLong();
                filled += argument.mid(copied, m.capturedStart() - copied) + QString::number(time);
                copied = m.capturedEnd();
            }
            argument = filled + argument.mid(copied);
        }
        QProcess run;
        run.start(kHelper, arguments);
        QVERIFY(run.waitForFinished(10000));
        QCOMPARE(run.exitCode(), exitCode);
        QCOMPARE(clock.text(), written == "=" ? QByteArray::number(time) + '\n' : written);
    }

    void helperWithoutClock() {
        const ClockFile clock(false);
        QProcess run;
        run.start(kHelper, {QString::number(now() + 3600)});
        QVERIFY(run.waitForFinished(10000));
        QCOMPARE(run.exitCode(), kNoRtc);
        QVERIFY(!QFile::exists(kClockFile)); // nothing created in its place
    }

    // What RtcWakeAlarm makes of each way the helper can end.
    void arm_data() {
        QTest::addColumn<bool>("clock");
        QTest::addColumn<QStringList>("helper");
        QTest::addColumn<WakeSupport>("support");
        QTest::addColumn<bool>("written");
        QTest::newRow("the helper writes the time")
            << true << QStringList{kHelper} << WakeSupport::Ready << true;
        QTest::newRow("no real-time clock: nothing is run")
            << false << QStringList{u"false"_s} << WakeSupport::NoRtc << false;
        QTest::newRow("polkit says no (pkexec's 127)")
            << true << QStringList{u"sh"_s, u"-c"_s, u"exit 127"_s, u"sh"_s} << WakeSupport::NotPermitted
            << false;
        QTest::newRow("the password dialog dismissed (pkexec's 126)")
            << true << QStringList{u"sh"_s, u"-c"_s, u"exit 126"_s, u"sh"_s} << WakeSupport::NotPermitted
            << false;
        QTest::newRow("pkexec missing")
            << true << QStringList{u"/nonexistent/pkexec"_s} << WakeSupport::NotPermitted << false;
        QTest::newRow("the helper not installed")
            << true << QStringList{} << WakeSupport::NotPermitted << false;
    }
    void arm() {
        QFETCH(bool, clock);
        QFETCH(QStringList, helper);
        QFETCH(WakeSupport, support);
        QFETCH(bool, written);
        const ClockFile file(clock);
        RtcWakeAlarm wake({kClockFile, false, helper});
        QSignalSpy told(&wake, &RtcWakeAlarm::supportChanged);
        if (support != WakeSupport::Ready)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(u"^cannot wake the machine for alarms: "_s));
        const qint64 at = now() + 3600;
        wake.arm(QDateTime::fromSecsSinceEpoch(at));
        QTRY_COMPARE(wake.support(), support);
        QCOMPARE(told.count(), 1);
        QCOMPARE(file.text(), written ? QByteArray::number(at) + '\n' : clock ? kUntouched : QByteArray());
    }

    // After a refusal the helper is not run again: it could show a password dialog at every edit.
    void askedOnceWhenRefused() {
        const ClockFile file(true);
        const QString runs = QFileInfo(kClockFile).path() + u"/runs"_s;
        QFile::remove(runs);
        {
            RtcWakeAlarm wake(
                {kClockFile, false, {u"sh"_s, u"-c"_s, u"echo >>'"_s + runs + u"'; exit 127"_s, u"sh"_s}});
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(u"^cannot wake the machine for alarms: "_s));
            wake.arm(QDateTime::fromSecsSinceEpoch(now() + 3600));
            QTRY_COMPARE(wake.support(), WakeSupport::NotPermitted);
            wake.arm(QDateTime::fromSecsSinceEpoch(now() + 7200));
        } // waits for a helper run still going
        QFile ran(runs);
        QVERIFY(ran.open(QIODevice::ReadOnly));
        QCOMPARE(ran.readAll(), QByteArray("\n"));
        ran.remove();
    }

    // Times asked while the helper runs: only the last is written; disarm then takes it back.
    void latestTimeWinsThenDisarm() {
        const ClockFile file(true);
        RtcWakeAlarm wake({kClockFile, false, {kHelper}});
        const qint64 at = now() + 3600;
        for (int minutes = 0; minutes < 3; ++minutes)
            wake.arm(QDateTime::fromSecsSinceEpoch(at + minutes * 60));
        QTRY_COMPARE(file.text(), QByteArray::number(at + 120) + '\n');
        wake.disarm();
        QTRY_COMPARE(file.text(), QByteArray("0\n"));
    }
};

ORVANE_TEST(RtcWakeAlarmTest)
#include "test_RtcWakeAlarm.moc"
