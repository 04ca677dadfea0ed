// Tests of the almanac tables: their exact lines and CR LF bytes, and the boxes that show them.
#include "calendar/AlmanacTexts.h"
#include "common/GbkText.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {
using TextFn = std::function<QString()>;
using ShowFn = std::function<void(orvane::Dialogs&)>;
} // namespace
Q_DECLARE_METATYPE(TextFn)
Q_DECLARE_METATYPE(ShowFn)

class AlmanacTexts : public QObject {
    Q_OBJECT
private slots:
    void linesAndBytes_data() {
        QTest::addColumn<TextFn>("text");
        QTest::addColumn<QStringList>("lines"); // split at CR LF
        QTest::addColumn<int>("gbkBytes");
        const QStringList stems = {u"天干："_s, u"甲木"_s,   u"乙木"_s, u"丙火"_s, u"丁火"_s, u"戊土"_s,
                                   u"己土"_s,   u"庚金"_s,   u"辛金"_s, u"壬水"_s, u"癸水"_s, QString(),
                                   QString(),   u"地支："_s, u"子水"_s, u"丑土"_s, u"寅木"_s, u"卯木"_s,
                                   u"辰土"_s,   u"巳火"_s,   u"午火"_s, u"未土"_s, u"申金"_s, u"酉金"_s,
                                   u"戌土"_s,   u"亥水"_s};
        // 22 two-character lines, two six-byte headings, 25 separators.
        QTest::newRow("stems: two empty lines before 地支, no CR LF at the end")
            << TextFn(orvane::StemsBranchesText) << stems << 22 * 4 + 2 * 6 + 25 * 2;

        // Hour ranges of each branch, as the table of periods lists them.
        const char16_t* byHour[24] = {u"子", u"丑", u"丑", u"寅", u"寅", u"卯", u"卯", u"辰",
                                      u"辰", u"巳", u"巳", u"午", u"午", u"未", u"未", u"申",
                                      u"申", u"酉", u"酉", u"戌", u"戌", u"亥", u"亥", u"子"};
        QStringList hours;
        int hourBytes = 0;
        for (int h = 0; h < 24; ++h) {
            hours.append(QString::fromUtf16(byHour[h]) + u' ' + QString::number(h));
            hourBytes += 2 + 1 + (h < 10 ? 1 : 2) + 2;
        }
        hours << QString() << QString(); // the extra CR LF, then nothing after it
        QTest::newRow("periods: 23 o'clock is 子, every line and one more end in CR LF")
            << TextFn(orvane::TwoHourPeriodsText) << hours << hourBytes + 2;

        const QStringList zodiac = {
            u"白羊座 03月21日-04月19日"_s, u"金牛座 04月20日-05月20日"_s, u"双子座 05月21日-06月21日"_s,
            u"巨蟹座 06月22日-07月22日"_s, u"狮子座 07月23日-08月22日"_s, u"处女座 08月23日-09月23日"_s,
            u"天秤座 09月24日-10月23日"_s, u"天蝎座 10月24日-11月21日"_s, u"射手座 11月22日-12月21日"_s,
            u"摩羯座 12月22日-01月19日"_s, u"水瓶座 01月20日-02月18日"_s, u"双鱼座 02月19日-03月20日"_s};
        // Each line: three-character name, blank, 2+2+2+2 digits, four two-byte signs, a dash.
        QTest::newRow("zodiac: two-digit fields, 摩羯座 across the year end, no CR LF at the end")
            << TextFn(orvane::ZodiacDatesText) << zodiac << 12 * (6 + 1 + 8 + 8 + 1) + 11 * 2;
    }
    void linesAndBytes() {
        QFETCH(TextFn, text);
        QFETCH(QStringList, lines);
        QFETCH(int, gbkBytes);
        QString t = text();
        QCOMPARE(t.split(u"\r\n"_s), lines);
        QVERIFY2(!t.remove(u"\r\n"_s).contains(u'\n') && !t.contains(u'\r'), "a bare CR or LF");
        const QByteArray bytes = orvane::gbk::encode(text());
        QCOMPARE(bytes.size(), gbkBytes);
        QVERIFY2(!bytes.contains('?'), "a character GBK cannot hold");
    }

    void boxes_data() {
        QTest::addColumn<ShowFn>("show");
        QTest::addColumn<TextFn>("text");
        QTest::newRow("天干地支表 shows the stems")
            << ShowFn(orvane::showStemsBranches) << TextFn(orvane::StemsBranchesText);
        QTest::newRow("十二时辰表 shows the periods")
            << ShowFn(orvane::showTwoHourPeriods) << TextFn(orvane::TwoHourPeriodsText);
        QTest::newRow("星座日期 shows the zodiac")
            << ShowFn(orvane::showZodiacDates) << TextFn(orvane::ZodiacDatesText);
    }
    void boxes() {
        QFETCH(ShowFn, show);
        QFETCH(TextFn, text);
        orvane::test::ScriptedDialogs dialogs;
        show(dialogs);
        QCOMPARE(dialogs.log(), QStringList{u"message 信息：|"_s + text()});
    }
};

ORVANE_TEST(AlmanacTexts)
#include "test_AlmanacTexts.moc"
