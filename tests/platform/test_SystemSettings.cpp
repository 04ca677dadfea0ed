// The settings of "系统配置" as typed values: what each stored text reads as, and the exact bytes each
// value is written as, so that files written before and after stay the same.
#include "TempDir.h"
#include "TestRegistry.h"
#include "platform/IniProfile.h"
#include "platform/SystemSettings.h"

#include <QFile>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// What the settings read, one value per key, in the order of the table below.
QStringList readAll(const SystemSettings& s) {
    return {s.autoDelete() ? u"on"_s : u"off"_s,
            s.hourlyChime() ? u"on"_s : u"off"_s,
            QString::number(int(s.ringCount())),
            QString::number(s.snoozeMinutes()),
            s.holidayAddress(),
            s.timeServers()};
}

} // namespace

class SystemSettingsTest : public QObject {
    Q_OBJECT
private slots:
    // A stored text (written by hand, by an older version, or by this one) and what every reader gets.
    void stored_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored"); // <absent>: no such key
        QTest::addColumn<QStringList>("read");
        const QStringList defaults{u"off"_s, u"off"_s, u"1"_s, u"5"_s, u""_s, u""_s};
        const auto with = [&defaults](int at, const QString& value) {
            QStringList read = defaults;
            read[at] = value;
            return read;
        };
        QTest::newRow("a first start: every key absent") << u"删除"_s << u"<absent>"_s << defaults;
        QTest::newRow("删除=真 deletes") << u"删除"_s << u"真"_s << with(0, u"on"_s);
        QTest::newRow("删除=假") << u"删除"_s << u"假"_s << defaults;
        QTest::newRow("整点报时=真 announces") << u"整点报时"_s << u"真"_s << with(1, u"on"_s);
        QTest::newRow("真 with a trailing blank is no 真") << u"整点报时"_s << u"\"真 \""_s << defaults;
        QTest::newRow("true is no 真") << u"整点报时"_s << u"true"_s << defaults;
        QTest::newRow("真 after a blank is no 真") << u"删除"_s << u"\" 真\""_s << defaults;
        QTest::newRow("1 is no 真") << u"删除"_s << u"1"_s << defaults;
        QTest::newRow("无限重复 loops") << u"响铃次数"_s << u"无限重复"_s << with(2, u"-1"_s);
        QTest::newRow("播放二次 plays twice") << u"响铃次数"_s << u"播放二次"_s << with(2, u"2"_s);
        QTest::newRow("a count of no choice rings once, never silent")
            << u"响铃次数"_s << u"播放三次"_s << defaults;
        QTest::newRow("稍后提醒分钟=15") << u"稍后提醒分钟"_s << u"15"_s << with(3, u"15"_s);
        QTest::newRow("稍后提醒分钟 of no choice is 5") << u"稍后提醒分钟"_s << u"7"_s << defaults;
        QTest::newRow("节假日地址 without its blanks")
            << u"节假日地址"_s << u"\" http://h/a.ics \""_s << with(4, u"http://h/a.ics"_s);
        QTest::newRow("时间服务器 as stored")
            << u"时间服务器"_s << u"a.cn b.cn:123"_s << with(5, u"a.cn b.cn:123"_s);
    }
    void stored() {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QStringList, read);
        TempDir dir;
        const Paths paths = Paths::under(dir.path());
        QVERIFY(paths.makeFolders());
        if (stored != u"<absent>") {
            QFile file(paths.windowsFile(u"sys.ini"_s));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write((u"[系统配置]\n"_s + key + u'=' + stored + u'\n').toUtf8());
        }
        if (key == u"响铃次数" && stored == u"播放三次")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"unknown ring count"_s));
        SystemSettings settings(paths);
        QCOMPARE(readAll(settings), read);
    }

    // Each value is written as the words earlier versions wrote and read, and announced.
    void written_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("bytes");
        QTest::newRow("删除 on") << u"删除"_s << u"真"_s;
        QTest::newRow("整点报时 off") << u"整点报时"_s << u"假"_s;
        QTest::newRow("响铃次数 twice") << u"响铃次数"_s << u"播放二次"_s;
        QTest::newRow("稍后提醒分钟 10") << u"稍后提醒分钟"_s << u"10"_s;
    }
    void written() {
        QFETCH(QString, key);
        QFETCH(QString, bytes);
        TempDir dir;
        const Paths paths = Paths::under(dir.path());
        QVERIFY(paths.makeFolders());
        SystemSettings settings(paths);
        QStringList announced;
        connect(&settings, &SystemSettings::changed, this,
                [&announced](const QString& k) { announced << k; });
        settings.setAutoDelete(true);
        settings.setHourlyChime(false);
        settings.setRingCount(RingCount::Twice);
        settings.setSnoozeMinutes(10);
        QCOMPARE(IniProfile::read(paths.windowsFile(u"sys.ini"_s), u"系统配置"_s, key), bytes);
        QCOMPARE(announced, (QStringList{u"删除"_s, u"整点报时"_s, u"响铃次数"_s, u"稍后提醒分钟"_s}));
        // A second object over the same file reads what the first wrote.
        QCOMPARE(readAll(SystemSettings(paths)), readAll(settings));
    }
};

ORVANE_TEST(SystemSettingsTest)
#include "test_SystemSettings.moc"
