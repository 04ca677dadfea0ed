// Tests of IniProfile: Chinese round trips, file format, GBK files, atomic writes and file modes.
#include "platform/IniProfile.h"

#include "TempDir.h"
#include "TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using orvane::IniProfile;
using orvane::test::TempDir;

namespace {

QByteArray bytesOf(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<unreadable>");
}

void put(const QString& file, const QByteArray& bytes) {
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    QCOMPARE(out.write(bytes), bytes.size());
}

int modeOf(const QString& file) {
    struct stat st {};
    return ::stat(QFile::encodeName(file).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

const QString sys = QStringLiteral("系统配置");
const QString diary = QStringLiteral("记事本配置");

enum class Fault { MissingFolder, ReadOnlyFolder, DiskFull };

} // namespace

Q_DECLARE_METATYPE(Fault)

class IniProfileTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("Chinese section, key and value garbled")
            << sys << QStringLiteral("响铃次数") << QStringLiteral("播放一次");
        QTest::newRow("trailing blank trimmed away")
            << sys << QStringLiteral("整点报时") << QStringLiteral("真 ");
        QTest::newRow("leading blank trimmed away") << sys << QStringLiteral("删除") << QStringLiteral(" 假");
        QTest::newRow("own double quotes lost")
            << diary << QStringLiteral("字体名称") << QStringLiteral("\"宋体\"");
        QTest::newRow("own single quotes lost")
            << diary << QStringLiteral("字体名称") << QStringLiteral("'宋体'");
        QTest::newRow("empty value lost") << diary << QStringLiteral("颜色") << QString();
        QTest::newRow("equals sign in value cut")
            << diary << QStringLiteral("大小") << QStringLiteral("a=b=c");
        QTest::newRow("semicolon read as comment")
            << diary << QStringLiteral("加粗") << QStringLiteral(";真");
        QTest::newRow("backslashes in key path section")
            << QStringLiteral("SOFTWARE\\qlzk") << QStringLiteral("pz") << QStringLiteral("真|甲 乙|甲 乙");
    }
    void roundTrip() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        TempDir dir;
        const QString file = dir.file(QStringLiteral("sys.ini"));
        QVERIFY(IniProfile::write(file, section, key, value));
        QVERIFY(IniProfile::exists(file, section, key));
        QCOMPARE(IniProfile::read(file, section, key), value);
    }

    // Windows-style lines: no byte-order mark, no blanks around '='.
    void fileFormat() {
        TempDir dir;
        const QString file = dir.file(QStringLiteral("sys.ini"));
        QVERIFY(IniProfile::write(file, sys, QStringLiteral("响铃次数"), QStringLiteral("播放一次")));
        QCOMPARE(QString::fromUtf8(bytesOf(file)), QStringLiteral("[系统配置]\n响铃次数=播放一次\n"));
    }

    void sectionsKeepApart() {
        TempDir dir;
        const QString file = dir.file(QStringLiteral("sys.ini"));
        const QString key = QStringLiteral("删除");
        QVERIFY(IniProfile::write(file, sys, key, QStringLiteral("真")));
        QVERIFY(IniProfile::write(file, diary, key, QStringLiteral("假")));
        QVERIFY(IniProfile::write(file, diary, QStringLiteral("颜色"), QStringLiteral("255")));
        QCOMPARE(IniProfile::read(file, sys, key), QStringLiteral("真"));
        QCOMPARE(IniProfile::read(file, diary, key), QStringLiteral("假"));
        QVERIFY(IniProfile::remove(file, diary, key));
        QVERIFY(!IniProfile::exists(file, diary, key));
        QCOMPARE(IniProfile::read(file, sys, key), QStringLiteral("真"));
        QCOMPARE(IniProfile::read(file, diary, QStringLiteral("颜色")), QStringLiteral("255"));
    }

    void absent_data() {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::newRow("missing file not empty") << QByteArray();
        QTest::newRow("missing section not empty") << QByteArray("[记事本配置]\n响铃次数=播放一次\n");
        QTest::newRow("missing key not empty") << QByteArray("[系统配置]\n删除=真\n");
        QTest::newRow("key without '=' taken as key") << QByteArray("[系统配置]\n响铃次数\n");
        QTest::newRow("commented key taken as key") << QByteArray("[系统配置]\n;响铃次数=播放一次\n");
    }
    void absent() {
        QFETCH(QByteArray, content);
        TempDir dir;
        const QString file = dir.file(QStringLiteral("sys.ini"));
        if (!content.isNull())
            put(file, content);
        QCOMPARE(IniProfile::read(file, sys, QStringLiteral("响铃次数")), QString());
        QVERIFY(!IniProfile::exists(file, sys, QStringLiteral("响铃次数")));
        QVERIFY(IniProfile::remove(file, sys, QStringLiteral("响铃次数")));
        QVERIFY(content.isNull() ? !QFile::exists(file) : bytesOf(file) == content);
    }

    // A file carried over from Windows: GBK bytes and CR LF line ends; a later write keeps its values.
    void gbkFile() {
        TempDir dir;
        const QString file = dir.file(QStringLiteral("sys.ini"));
        QStringEncoder gbk("GBK");
        QVERIFY(gbk.isValid());
        const QByteArray bytes = gbk.encode(QStringLiteral("[系统配置]\r\n响铃次数=播放二次\r\n删除=真\r\n"));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString misread = utf8(bytes);
        QVERIFY(utf8.hasError()); // the test's file really is not UTF-8
        put(file, bytes);
        QCOMPARE(IniProfile::read(file, sys, QStringLiteral("响铃次数")), QStringLiteral("播放二次"));
        QVERIFY(IniProfile::write(file, sys, QStringLiteral("整点报时"), QStringLiteral("真")));
        QCOMPARE(IniProfile::read(file, sys, QStringLiteral("响铃次数")), QStringLiteral("播放二次"));
        QCOMPARE(IniProfile::read(file, sys, QStringLiteral("删除")), QStringLiteral("真"));
        QCOMPARE(IniProfile::read(file, sys, QStringLiteral("整点报时")), QStringLiteral("真"));
    }

    // A value's trailing blanks are part of it, as Windows reads them: "真 " is no 真.
    void trailingBlanksCount_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("value");
        QTest::newRow("blank before CR LF") << QByteArray("整点报时=真 \r\n") << QStringLiteral("真 ");
        QTest::newRow("tab before LF") << QByteArray("整点报时=真\t\n") << QStringLiteral("真\t");
        QTest::newRow("blank at the end of the file") << QByteArray("整点报时=真 ") << QStringLiteral("真 ");
        QTest::newRow("blanks after = are not kept")
            << QByteArray("整点报时=  真\r\n") << QStringLiteral("真");
        QTest::newRow("a quoted value keeps its quotes off")
            << QByteArray("整点报时=\"真 \"\r\n") << QStringLiteral("真 ");
        QTest::newRow("only blanks: empty") << QByteArray("整点报时=   \r\n") << QString();
    }
    void trailingBlanksCount() {
        QFETCH(QByteArray, line);
        QFETCH(QString, value);
        TempDir dir;
        const QString file = dir.file(QStringLiteral("sys.ini"));
        put(file, QByteArray("[系统配置]\r\n") + line);
        QCOMPARE(IniProfile::read(file, sys, QStringLiteral("整点报时")), value);
        // Another key written beside it leaves its value as it was.
        QVERIFY(IniProfile::write(file, sys, QStringLiteral("删除"), QStringLiteral("真")));
        QCOMPARE(IniProfile::read(file, sys, QStringLiteral("整点报时")), value);
    }

    // Found by fuzzing: a file whose last character is cut off mid-sequence is not UTF-8; a write
    // into it must still read back (the cut tail once made the rewritten file read as GBK).
    void fileEndingInsideACharacter() {
        TempDir dir;
        const QString file = dir.file(QStringLiteral("sys.ini"));
        put(file, QByteArray("[a]\nb = \"q[\xE7\xB3\xBB\xE7"));
        QVERIFY(IniProfile::write(file, sys, QStringLiteral("整点报时"), QStringLiteral("真")));
        QCOMPARE(IniProfile::read(file, sys, QStringLiteral("整点报时")), QStringLiteral("真"));
    }

    void failedWriteKeepsOldFile_data() {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("write into a missing folder reported as done") << Fault::MissingFolder;
        QTest::newRow("read-only folder overwritten") << Fault::ReadOnlyFolder;
        QTest::newRow("disk full leaves half a file") << Fault::DiskFull;
    }
    void failedWriteKeepsOldFile() {
        QFETCH(Fault, fault);
        TempDir dir;
        const QString folder = dir.file(QStringLiteral("windows"));
        const QString file = folder + QStringLiteral("/sys.ini");
        const QString key = QStringLiteral("响铃次数");
        QString value = QStringLiteral("播放二次");
        QByteArray old;
        if (fault != Fault::MissingFolder) {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(IniProfile::write(file, sys, key, QStringLiteral("播放一次")));
            old = bytesOf(file);
        }
        struct rlimit saved {};
        if (fault == Fault::ReadOnlyFolder) {
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            QFile probe(folder + QStringLiteral("/probe"));
            if (probe.open(QIODevice::WriteOnly)) { // the superuser writes anyway
                probe.remove();
                QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
                QSKIP("folder permissions do not bind this user");
            }
        } else if (fault == Fault::DiskFull) {
            // A file-size limit makes the write fail half-way, as a full disk would (even for the superuser).
            value = QString(8000, u'闹');
            QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
            struct rlimit small = saved;
            small.rlim_cur = 4096;
            std::signal(SIGXFSZ, SIG_IGN);
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        // Callers mostly stay silent about a failed write: the program's log holds it.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^cannot write .*响铃次数")));
        const bool written = IniProfile::write(file, sys, key, value);
        if (fault == Fault::DiskFull)
            ::setrlimit(RLIMIT_FSIZE, &saved);
        QFile::setPermissions(folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!written);
        if (fault == Fault::MissingFolder) {
            QVERIFY(!QFile::exists(file));
            return;
        }
        QCOMPARE(bytesOf(file), old);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("sys.ini")});
    }

    void fileMode_data() {
        QTest::addColumn<int>("before"); // 0: no file yet
        QTest::addColumn<QFileDevice::Permissions>("permissions");
        QTest::addColumn<int>("mode");
        const auto privateMode = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QTest::newRow("new private file readable by others") << 0 << privateMode << 0600;
        QTest::newRow("public file stays public when made private") << 0644 << privateMode << 0600;
        QTest::newRow("new file misses the default mode") << 0 << IniProfile::defaultPermissions() << 0644;
    }
    void fileMode() {
        QFETCH(int, before);
        QFETCH(QFileDevice::Permissions, permissions);
        QFETCH(int, mode);
        TempDir dir;
        const QString file = dir.file(QStringLiteral("registry.ini"));
        if (before != 0) {
            put(file, "[SOFTWARE\\qlzk]\nold=1\n");
            QCOMPARE(::chmod(QFile::encodeName(file).constData(), mode_t(before)), 0);
        }
        QVERIFY(IniProfile::write(file, QStringLiteral("SOFTWARE\\qlzk"), QStringLiteral("pz"),
                                  QStringLiteral("真"), permissions));
        QCOMPARE(modeOf(file), mode);
        QVERIFY(
            IniProfile::remove(file, QStringLiteral("SOFTWARE\\qlzk"), QStringLiteral("pz"), permissions));
        QCOMPARE(modeOf(file), mode);
    }

    // Rewriting keys in place: the others keep their values and their lines keep their order.
    void manyWritesKeepOrder() {
        TempDir dir;
        const QString file = dir.file(QStringLiteral("sys.ini"));
        const QStringList keys{QStringLiteral("颜色"),   QStringLiteral("大小"),     QStringLiteral("加粗"),
                               QStringLiteral("下划线"), QStringLiteral("字体名称"), QStringLiteral("倾斜"),
                               QStringLiteral("删除线")};
        for (int round = 0; round < 3; ++round) {
            for (const QString& key : keys)
                QVERIFY(IniProfile::write(file, diary, key, key + QString::number(round)));
        }
        QVERIFY(IniProfile::write(file, sys, QStringLiteral("删除"), QStringLiteral("真")));
        QVERIFY(IniProfile::write(file, diary, keys.at(1), QStringLiteral("12")));
        QStringList expected{u'[' + diary + u']'};
        for (const QString& key : keys)
            expected.append(key + u'=' + (key == keys.at(1) ? QStringLiteral("12") : key + u'2'));
        expected << QString() << QString() << u'[' + sys + u']' << QStringLiteral("删除=真") << QString();
        QCOMPARE(QString::fromUtf8(bytesOf(file)).split(u'\n'), expected);
    }

    void unwritableNamesRefused_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("line break in value adds a line")
            << sys << QStringLiteral("删除") << QStringLiteral("真\n[x]");
        QTest::newRow("'=' in key splits it") << sys << QStringLiteral("a=b") << QStringLiteral("真");
        QTest::newRow("']' in section cuts it")
            << QStringLiteral("a]b") << QStringLiteral("删除") << QStringLiteral("真");
        QTest::newRow("';' key becomes a comment") << sys << QStringLiteral(";删除") << QStringLiteral("真");
        QTest::newRow("empty key line dropped") << sys << QString() << QStringLiteral("真");
    }
    void unwritableNamesRefused() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        TempDir dir;
        const QString file = dir.file(QStringLiteral("sys.ini"));
        QVERIFY(IniProfile::write(file, sys, QStringLiteral("响铃次数"), QStringLiteral("播放一次")));
        const QByteArray before = bytesOf(file);
        QVERIFY(!IniProfile::write(file, section, key, value));
        QCOMPARE(bytesOf(file), before);
    }
};

ORVANE_TEST(IniProfileTest)
#include "test_IniProfile.moc"
