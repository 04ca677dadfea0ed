// The diary's stored texts: font values in key order and back, and line breaks between entry and box.
#include "TestRegistry.h"
#include "diary/DiaryFont.h"
#include "diary/DiaryText.h"

#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(orvane::FontChoice)

class DiaryTextsTest : public QObject {
    Q_OBJECT
private slots:
    // The seven texts, in key order 颜色, 大小, 加粗, 下划线, 字体名称, 倾斜, 删除线.
    void fontValues_data() {
        QTest::addColumn<FontChoice>("font");
        QTest::addColumn<QStringList>("values");
        const auto font = [](quint32 color, int size, bool b, bool u, bool i, bool s) {
            return FontChoice{u"宋体"_s, size, b, i, u, s, color};
        };
        QTest::newRow("red is stored in the low byte, green stays")
            << font(0xFF8000, 12, false, false, false, false)
            << QStringList{u"33023"_s, u"12"_s, u"假"_s, u"假"_s, u"宋体"_s, u"假"_s, u"假"_s};
        QTest::newRow("each flag under its own key")
            << font(0, 9, true, false, true, false)
            << QStringList{u"0"_s, u"9"_s, u"真"_s, u"假"_s, u"宋体"_s, u"真"_s, u"假"_s};
    }
    void fontValues() {
        QFETCH(FontChoice, font);
        QFETCH(QStringList, values);
        QCOMPARE(diaryFontValues(font), values);
        QCOMPARE(diaryFontFromValues(values), font);
    }

    // What the editor applies from texts it did not write itself.
    void fontFromForeignValues_data() {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<FontChoice>("font");
        QTest::newRow("missing section: black, default size and face, no flags")
            << QStringList() << FontChoice{QString(), 0, false, false, false, false, 0};
        QTest::newRow("flags other than exactly 真 are false")
            << QStringList{u""_s, u""_s, u"真 "_s, u"true"_s, u""_s, u"1"_s, u"是"_s}
            << FontChoice{QString(), 0, false, false, false, false, 0};
        QTest::newRow("fractional size is cut, colour read from its leading digits")
            << QStringList{u"255abc"_s, u"12.9"_s}
            << FontChoice{QString(), 12, false, false, false, false, 0xFF0000};
        QTest::newRow("negative size means the default size")
            << QStringList{u"0"_s, u"-5"_s} << FontChoice{QString(), 0, false, false, false, false, 0};
        QTest::newRow("absurd size is held to the largest font size")
            << QStringList{u"0"_s, u"99999999999"_s}
            << FontChoice{QString(), kMaxDiaryFontSize, false, false, false, false, 0};
        QTest::newRow("negative colour keeps its low 24 bits")
            << QStringList{u"-1"_s} << FontChoice{QString(), 0, false, false, false, false, 0xFFFFFF};
    }
    void fontFromForeignValues() {
        QFETCH(QStringList, values);
        QFETCH(FontChoice, font);
        QCOMPARE(diaryFontFromValues(values), font);
    }

    // stored → box → stored: unchanged entries come back byte for byte; edited ones keep their break kind.
    void lineBreaks_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("box");    // what the box shows, then what the user leaves in it
        QTest::addColumn<QString>("edited"); // empty: left unchanged
        QTest::addColumn<QString>("result");
        QTest::newRow("LF untouched") << u"a\nb"_s << u"a\nb"_s << QString() << u"a\nb"_s;
        QTest::newRow("CR LF untouched comes back as CR LF")
            << u"a\r\nb"_s << u"a\nb"_s << QString() << u"a\r\nb"_s;
        QTest::newRow("mixed breaks untouched survive")
            << u"a\r\nb\nc\rd"_s << u"a\nb\nc\nd"_s << QString() << u"a\r\nb\nc\rd"_s;
        QTest::newRow("CR LF entry edited keeps CR LF")
            << u"a\r\nb"_s << u"a\nb"_s << u"a\nb\nc"_s << u"a\r\nb\r\nc"_s;
        QTest::newRow("LF entry edited stays LF") << u"a\nb"_s << u"a\nb"_s << u"a\nbc"_s << u"a\nbc"_s;
    }
    void lineBreaks() {
        QFETCH(QString, stored);
        QFETCH(QString, box);
        QFETCH(QString, edited);
        QFETCH(QString, result);
        QCOMPARE(diaryBoxText(stored), box);
        QCOMPARE(diaryStoredText(edited.isNull() ? box : edited, stored), result);
    }
};

ORVANE_TEST(DiaryTextsTest)
#include "test_DiaryTexts.moc"
