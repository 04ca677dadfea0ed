// Tests of the lunar lookup's page: the form body, cutting values by marker, and the built-in service.
#include "calendar/LunarExchange.h"
#include "common/GbkText.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QByteArray g(const QString& text) {
    return orvane::gbk::encode(text);
}
const QStringList kMarkers = {u"公历："_s,     u"农历："_s,     u"四柱："_s, u"节气："_s,
                              u"二十八宿："_s, u"甲子纳音："_s, u"距今："_s};
} // namespace

class LunarExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void body() {
        QCOMPARE(orvane::lunarFormBody(u"2010"_s, u"3"_s, u"5"_s),
                 QByteArray("year=2010&month=3&day=5&image.x=8&image.y=9"));
        QCOMPARE(orvane::lunarFormBody({}, u"3"_s, u"5"_s),
                 QByteArray("year=&month=3&day=5&image.x=8&image.y=9"));
    }

    void cut_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<char>("terminator");
        QTest::addColumn<QString>("value");
        QTest::newRow("value four bytes after the marker")
            << g(u"<p>二十八宿：abcdX<br>"_s) << u"二十八宿："_s << '<' << u"X"_s;
        QTest::newRow("the skipped bytes may be one Chinese blank pair")
            << g(u"公历：\u3000\u30002010年3月5日<"_s) << u"公历："_s << '<' << u"2010年3月5日"_s;
        QTest::newRow("missing marker") << g(u"农历：1234x<"_s) << u"公历："_s << '<' << QString();
        QTest::newRow("missing terminator") << g(u"公历：1234value"_s) << u"公历："_s << '<' << QString();
        QTest::newRow("value of length 0") << g(u"公历：1234<"_s) << u"公历："_s << '<' << QString();
        QTest::newRow("terminator inside the skipped bytes")
            << g(u"公历：12<4value<"_s) << u"公历："_s << '<' << QString();
        QTest::newRow("四柱 ends at & and keeps a <")
            << g(u"四柱：1234庚寅<b>&nbsp;"_s) << u"四柱："_s << '&' << u"庚寅<b>"_s;
        QTest::newRow("the first occurrence of the marker counts")
            << g(u"距今：1234今天<距今：1234昨天<"_s) << u"距今："_s << '<' << u"今天"_s;
        QTest::newRow("network down: empty page") << QByteArray() << u"公历："_s << '<' << QString();
    }
    void cut() {
        QFETCH(QByteArray, page);
        QFETCH(QString, marker);
        QFETCH(char, terminator);
        QFETCH(QString, value);
        QCOMPARE(orvane::gbk::decode(orvane::cutMarkedValue(page, g(marker), terminator)), value);
    }

    void sevenLinesWhenNetworkDown() {
        QCOMPARE(orvane::lunarResultText(QByteArray()), kMarkers.join(u"\r\n"_s) + u"\r\n"_s);
    }

    // The built-in service for dates across 1901-2099: each row checks one line of its answer.
    void builtIn_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("line"); // 0 = 公历 … 6 = 距今
        QTest::addColumn<QString>("value");
        const QDate d1949(1949, 10, 1); // a 甲子 day, the 10th of the eighth month of 己丑
        QTest::newRow("weekday") << QDate(2010, 3, 5) << 0 << u"2010年3月5日 星期五"_s;
        QTest::newRow("lunar date as the lunar label writes it") << d1949 << 1 << u"己丑年(牛)八月初十"_s;
        QTest::newRow("leap month") << QDate(2023, 3, 22) << 1 << u"癸卯年(兔)闰二月初一"_s;
        QTest::newRow("pillars: 甲子 day, 酉 month of a 己 year") << d1949 << 2 << u"己丑 癸酉 甲子"_s;
        QTest::newRow("pillars before 立春 and after 小寒 keep the old year")
            << QDate(2000, 1, 6) << 2 << u"己卯 丁丑 癸亥"_s;
        QTest::newRow("pillars on 1 January, 子 month") << QDate(2000, 1, 1) << 2 << u"己卯 丙子 戊午"_s;
        QTest::newRow("the day before 立春 2024") << QDate(2024, 2, 3) << 2 << u"癸卯 乙丑 丁酉"_s;
        QTest::newRow("立春 2024 opens 甲辰 and 丙寅") << QDate(2024, 2, 4) << 2 << u"甲辰 丙寅 戊戌"_s;
        QTest::newRow("the first day of the range") << QDate(1901, 1, 1) << 2 << u"庚子 戊子 己卯"_s;
        QTest::newRow("term day") << QDate(2013, 7, 22) << 3 << u"大暑"_s;
        QTest::newRow("between terms: the last and the next with its day")
            << QDate(2013, 7, 21) << 3 << u"小暑后，大暑(7月22日)前"_s;
        QTest::newRow("year end: next term in January")
            << QDate(2013, 12, 31) << 3 << u"冬至后，小寒(1月5日)前"_s;
        QTest::newRow("mansion 角 on 5 March 2026") << QDate(2026, 3, 5) << 4 << u"角木蛟"_s;
        QTest::newRow("mansion 轸 the day before") << QDate(2026, 3, 4) << 4 << u"轸水蚓"_s;
        QTest::newRow("纳音 of the three pillars") << d1949 << 5 << u"霹雳火 剑锋金 海中金"_s;
        QTest::newRow("today") << QDate(2010, 3, 5) << 6 << u"今天"_s;
        QTest::newRow("days after today") << QDate(2010, 3, 15) << 6 << u"10天后"_s;
        QTest::newRow("days before today") << QDate(2009, 3, 5) << 6 << u"365天前"_s;
        QTest::newRow("last day of the range") << QDate(2099, 12, 31) << 0 << u"2099年12月31日 星期四"_s;
    }
    void builtIn() {
        QFETCH(QDate, date);
        QFETCH(int, line);
        QFETCH(QString, value);
        const QByteArray body = orvane::lunarFormBody(
            QString::number(date.year()), QString::number(date.month()), QString::number(date.day()));
        const QStringList lines =
            orvane::lunarResultText(orvane::builtInLunarPage(body, QDate(2010, 3, 5))).split(u"\r\n"_s);
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines[line], kMarkers[line] + value);
    }

    // Every line filled and mansions on their weekdays (角 on Thursdays …) for a date in every month.
    void builtInFillsEveryLine() {
        static const QString kWeekdayElement = u"月火水木金土日"_s; // Monday … Sunday
        for (QDate date(1901, 1, 15); date.year() <= 2099; date = date.addMonths(1).addDays(1)) {
            const QByteArray body = orvane::lunarFormBody(
                QString::number(date.year()), QString::number(date.month()), QString::number(date.day()));
            const QStringList lines =
                orvane::lunarResultText(orvane::builtInLunarPage(body, QDate(2010, 3, 5))).split(u"\r\n"_s);
            for (int i = 0; i < 7; ++i)
                QVERIFY2(lines[i].size() > kMarkers[i].size(), qPrintable(date.toString(Qt::ISODate)));
            QCOMPARE(lines[4].at(6), kWeekdayElement.at(date.dayOfWeek() - 1));
        }
    }

    void builtInOutsideItsRange_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("2100") << QByteArray("year=2100&month=1&day=1&image.x=8&image.y=9");
        QTest::newRow("1900") << QByteArray("year=1900&month=12&day=31&image.x=8&image.y=9");
        QTest::newRow("31 February") << QByteArray("year=2010&month=2&day=31&image.x=8&image.y=9");
        QTest::newRow("no year") << QByteArray("year=&month=2&day=1&image.x=8&image.y=9");
    }
    void builtInOutsideItsRange() {
        QFETCH(QByteArray, body);
        QCOMPARE(orvane::lunarResultText(orvane::builtInLunarPage(body, QDate(2010, 3, 5))),
                 orvane::lunarResultText(QByteArray()));
    }
};

ORVANE_TEST(LunarExchangeTest)
#include "test_LunarExchange.moc"
