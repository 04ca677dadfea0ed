// Tests of the solar-term table against published dates (China Standard Time), and of its shape.
#include "calendar/SolarTerms.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace Qt::StringLiterals;

class SolarTerms : public QObject {
    Q_OBJECT
private slots:
    // Whole years as published: every term's day, 小寒 to 冬至.
    void publishedYears_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<QList<int>>("days");
        // Hong Kong Observatory, "2013年二十四节气的日期及时间资料" (大暑 at 23:56).
        QTest::newRow("2013 as the Hong Kong Observatory publishes it")
            << 2013
            << QList<int>{5, 20, 4, 18, 5, 20, 4, 20, 5, 21, 5, 21, 7, 22, 7, 23, 7, 23, 8, 23, 7, 22, 7, 22};
        // A published list of 2023's terms (霜降 at 00:20, 立冬 at 00:35).
        QTest::newRow("2023 with terms just after midnight")
            << 2023
            << QList<int>{5, 20, 4, 19, 6, 21, 5, 20, 6, 21, 6, 21, 7, 23, 8, 23, 8, 23, 8, 24, 8, 22, 7, 22};
    }
    void publishedYears() {
        QFETCH(int, year);
        QFETCH(QList<int>, days);
        for (int term = 0; term < orvane::kSolarTerms; ++term)
            QCOMPARE(orvane::solarTermDate(year, term), QDate(year, term / 2 + 1, days[term]));
    }

    // Terms within minutes of a midnight, where the day is easiest to get wrong. Published days, as the
    // exceptions of the published rule-of-thumb formula for 1901-2100 record them.
    void nearMidnight_data() {
        QTest::addColumn<int>("term");
        QTest::addColumn<QDate>("date");
        QTest::newRow("1911 立夏 just after midnight") << 8 << QDate(1911, 5, 7);
        QTest::newRow("1927 白露") << 16 << QDate(1927, 9, 9);
        QTest::newRow("1928 夏至") << 11 << QDate(1928, 6, 22);
        QTest::newRow("1978 小雪") << 21 << QDate(1978, 11, 23);
        QTest::newRow("1982 小寒") << 0 << QDate(1982, 1, 6);
        QTest::newRow("2008 小满 at 00:01") << 9 << QDate(2008, 5, 21);
        QTest::newRow("2016 小暑") << 12 << QDate(2016, 7, 7);
        QTest::newRow("2019 小寒") << 0 << QDate(2019, 1, 5);
        QTest::newRow("2021 冬至 at 23:59") << 23 << QDate(2021, 12, 21);
        QTest::newRow("2026 雨水 before midnight") << 3 << QDate(2026, 2, 18);
        QTest::newRow("2082 大寒") << 1 << QDate(2082, 1, 20);
        QTest::newRow("2084 春分 on the 20th by the published tables") << 5 << QDate(2084, 3, 20);
        QTest::newRow("2089 霜降") << 19 << QDate(2089, 10, 23);
        QTest::newRow("2089 立冬") << 20 << QDate(2089, 11, 7);
        QTest::newRow("1902 芒种") << 10 << QDate(1902, 6, 7);
        QTest::newRow("1922 大暑") << 13 << QDate(1922, 7, 24);
        QTest::newRow("1942 秋分") << 17 << QDate(1942, 9, 24);
        QTest::newRow("1925 小暑") << 12 << QDate(1925, 7, 8);
        QTest::newRow("2002 立秋") << 14 << QDate(2002, 8, 8);
    }
    void nearMidnight() {
        QFETCH(int, term);
        QFETCH(QDate, date);
        QCOMPARE(orvane::solarTermDate(date.year(), term), date);
    }

    // Consecutive terms lie 14 to 16 days apart over the whole table: a corrupt digit shows up here.
    void spacing() {
        QDate previous;
        for (int year = 1900; year <= 2100; ++year) {
            for (int term = 0; term < orvane::kSolarTerms; ++term) {
                const QDate d = orvane::solarTermDate(year, term);
                QVERIFY2(d.isValid(), qPrintable(QString::number(year)));
                if (previous.isValid()) {
                    const qint64 gap = previous.daysTo(d);
                    QVERIFY2(gap >= 14 && gap <= 16, qPrintable(d.toString(Qt::ISODate)));
                }
                previous = d;
            }
        }
    }

    void lookups_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("year");
        QTest::newRow("a term's own day") << QDate(2013, 7, 22) << u"大暑"_s << 2013;
        QTest::newRow("the day before a term belongs to the last one")
            << QDate(2013, 7, 21) << u"小暑"_s << 2013;
        QTest::newRow("early January reaches back to last year's 冬至")
            << QDate(2013, 1, 4) << u"冬至"_s << 2012;
        QTest::newRow("31 December") << QDate(2013, 12, 31) << u"冬至"_s << 2013;
    }
    void lookups() {
        QFETCH(QDate, date);
        QFETCH(QString, name);
        QFETCH(int, year);
        int termYear = 0;
        QCOMPARE(orvane::solarTermName(orvane::solarTermOnOrBefore(date, &termYear)), name);
        QCOMPARE(termYear, year);
    }

    void outside() {
        QVERIFY(!orvane::solarTermDate(1899, 0).isValid());
        QVERIFY(!orvane::solarTermDate(2101, 0).isValid());
        QVERIFY(!orvane::solarTermDate(2000, 24).isValid());
        QCOMPARE(orvane::solarTermOnOrBefore(QDate(1900, 1, 2)), -1);
    }
};

ORVANE_TEST(SolarTerms)
#include "test_SolarTerms.moc"
