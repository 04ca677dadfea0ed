// Tests of dropping a carried file: the copy ends up exact, and an exact copy is not written again.
#include "common/FileWrite.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRegistry.h"

#include <QFile>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// A rename over the path (the only way a write replaces it) gives it a new inode.
ino_t inodeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

bool put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class FileWriteTest : public QObject {
    Q_OBJECT

private slots:
    void dropCarriedFile_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("missing") << false << QByteArray() << true;
        QTest::newRow("exact copy") << true << QByteArray("skin\n\xe7\x9a\xae") << false;
        QTest::newRow("same size, one byte changed") << true << QByteArray("skin\n\xe7\x9a\xaf") << true;
        QTest::newRow("cut short") << true << QByteArray("skin\n") << true;
        QTest::newRow("longer") << true << QByteArray("skin\n\xe7\x9a\xae\n") << true;
        QTest::newRow("empty") << true << QByteArray() << true;
    }
    void dropCarriedFile() {
        QFETCH(bool, present);
        QFETCH(QByteArray, before);
        QFETCH(bool, rewritten);
        orvane::test::TempDir dir;
        const QByteArray carried("skin\n\xe7\x9a\xae");
        const QString source = dir.file(u"carried"_s), target = dir.file(u"yy.she"_s);
        QVERIFY(put(source, carried));
        if (present)
            QVERIFY(put(target, before));
        const ino_t inode = inodeOf(target);

        QVERIFY(orvane::dropCarriedFile(source, target));
        QCOMPARE(bytesOf(target), carried);
        QCOMPARE(inodeOf(target) != inode, rewritten);
    }

    // A path that is not a regular file is never read (a FIFO would block), only replaced or refused.
    void fifoAndFolderAtThePath() {
        orvane::test::TempDir dir;
        const QString source = dir.file(u"carried"_s);
        QVERIFY(put(source, "x"));
        const QString fifo = dir.file(u"fifo"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(orvane::dropCarriedFile(source, fifo));
        QCOMPARE(bytesOf(fifo), QByteArray("x"));
        const QString folder = dir.file(u"folder"_s);
        QVERIFY(QDir().mkdir(folder));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^cannot write .*folder\" - an older copy"_s));
        QVERIFY(!orvane::dropCarriedFile(source, folder));
        QVERIFY(!orvane::dropCarriedFile(dir.file(u"no such resource"_s), dir.file(u"out"_s)));
        QVERIFY(!QFile::exists(dir.file(u"out"_s)));
    }
};

ORVANE_TEST(FileWriteTest)
#include "test_FileWrite.moc"
