// Tests of the GBK byte texts: conversion, searches that skip trail bytes, 1-based byte windows.
#include "common/GbkText.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

namespace gbk = orvane::gbk;
using namespace Qt::StringLiterals;

namespace {

// "中文" is D6 D0 CE C4; "形" is D0 CE, the bytes that straddle the two. "癮" is B0 61: its trail byte is
// "a".
const QByteArray kZhongWen("\xD6\xD0\xCE\xC4");
const QByteArray kXing("\xD0\xCE");
const QByteArray kYinA("\xB0\x61");

} // namespace

class GbkTextTest : public QObject {
    Q_OBJECT

private slots:
    void conversion_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII stays one byte each") << u"var hrs = "_s << QByteArray("var hrs = ");
        QTest::newRow("Chinese takes two bytes each") << u"中文"_s << kZhongWen;
        QTest::newRow("straddle character") << u"形"_s << kXing;
        QTest::newRow("letter as trail byte") << u"癮a"_s << kYinA + 'a';
        QTest::newRow("message counts 12 bytes")
            << u"网络校时完成"_s << QByteArray::fromHex("cdf8c2e7d0a3cab1cdeab3c9");
    }
    void conversion() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(gbk::encode(text).toHex(' '), bytes.toHex(' '));
        QCOMPARE(gbk::decode(bytes), text);
    }

    void unmappable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Hangul syllable") << u"a한b"_s << QByteArray("a?b");
        QTest::newRow("character outside the BMP is one mark") << u"a😀b"_s << QByteArray("a?b");
    }
    void unmappable() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(gbk::encode(text), bytes);
    }

    void cutAtZero_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("cut at the first zero") << QByteArray("ab\0cd\0e", 7) << QByteArray("ab");
        QTest::newRow("no zero keeps everything") << kZhongWen << kZhongWen;
        QTest::newRow("zero first gives empty") << QByteArray("\0ab", 3) << QByteArray();
    }
    void cutAtZero() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, expected);
        QCOMPARE(gbk::cutAtZero(bytes), expected);
    }

    void find_data() {
        QTest::addColumn<QByteArray>("haystack");
        QTest::addColumn<QByteArray>("needle");
        QTest::addColumn<qsizetype>("start");
        QTest::addColumn<qsizetype>("expected");
        auto row = [](const char* name, const QByteArray& h, const QByteArray& n, qsizetype s, qsizetype e) {
            QTest::newRow(name) << h << n << s << e;
        };
        row("positions are 1-based", "abc", "c", 1, 3);
        row("byte positions after Chinese", "ab" + kZhongWen, "\xCE\xC4", 1, 5);
        row("character straddling two is no match", kZhongWen, kXing, 1, -1);
        row("straddle skipped, real one found", kZhongWen + kXing, kXing, 1, 5);
        row("letter as trail byte is no match", kYinA, "a", 1, -1);
        row("letter after the trail-byte decoy", kYinA + 'a', "a", 1, 3);
        row("start on a trail byte still knows it", kYinA + 'a', "a", 2, 3);
        row("letter trail after ASCII prefix", "x" + kYinA, "a", 1, -1);
        row("start at the match", "abcabc", "c", 3, 3);
        row("start after the first match", "abcabc", "c", 4, 6);
        row("start at the last byte", "abc", "c", 3, 3);
        row("start beyond the end", "abc", "c", 4, -1);
        row("start 0", "abc", "a", 0, -1);
        row("negative start", "abc", "a", -3, -1);
        row("empty needle", "abc", "", 1, -1);
        row("needle longer than text", "ab", "abc", 1, -1);
        row("case matters", "ABC", "b", 1, -1);
        row("marker in the time page", "x = 1; var hrs = 12;", "var hrs = ", 1, 8);
    }
    void find() {
        QFETCH(QByteArray, haystack);
        QFETCH(QByteArray, needle);
        QFETCH(qsizetype, start);
        QFETCH(qsizetype, expected);
        QCOMPARE(gbk::find(haystack, needle, start), expected);
    }

    void mid_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("start");
        QTest::addColumn<qsizetype>("length");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("from the first byte")
            << QByteArray("abcdef") << qsizetype(1) << qsizetype(3) << QByteArray("abc");
        QTest::newRow("last byte") << QByteArray("abcdef") << qsizetype(6) << qsizetype(1) << QByteArray("f");
        QTest::newRow("window past the end is cut")
            << QByteArray("abcdef") << qsizetype(5) << qsizetype(10) << QByteArray("ef");
        QTest::newRow("start 0") << QByteArray("abcdef") << qsizetype(0) << qsizetype(3) << QByteArray();
        QTest::newRow("start -1") << QByteArray("abcdef") << qsizetype(-1) << qsizetype(3) << QByteArray();
        QTest::newRow("start past the end")
            << QByteArray("abcdef") << qsizetype(7) << qsizetype(1) << QByteArray();
        QTest::newRow("length 0") << QByteArray("abcdef") << qsizetype(2) << qsizetype(0) << QByteArray();
        QTest::newRow("negative length")
            << QByteArray("abcdef") << qsizetype(2) << qsizetype(-2) << QByteArray();
        QTest::newRow("14-byte date window keeps the tail")
            << gbk::encode(u"document.write('2010年3月5日')"_s) << qsizetype(17) << qsizetype(14)
            << gbk::encode(u"2010年3月5日')"_s);
    }
    void mid() {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, start);
        QFETCH(qsizetype, length);
        QFETCH(QByteArray, expected);
        QCOMPARE(gbk::mid(bytes, start, length), expected);
    }

    void left_data() {
        QTest::addColumn<qsizetype>("length");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("two bytes") << qsizetype(2) << QByteArray("ab");
        QTest::newRow("longer than the text") << qsizetype(5) << QByteArray("abc");
        QTest::newRow("zero") << qsizetype(0) << QByteArray();
        QTest::newRow("negative") << qsizetype(-1) << QByteArray();
    }
    void left() {
        QFETCH(qsizetype, length);
        QFETCH(QByteArray, expected);
        QCOMPARE(gbk::left("abc", length), expected);
    }
};

ORVANE_TEST(GbkTextTest)
#include "test_GbkText.moc"
