// Clock hands, the time label, the weekday greeting and the lunar label cut.
#include "TestRegistry.h"
#include "app/ClockText.h"

#include <QtTest>

#include <cmath>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

class ClockTextTest : public QObject {
    Q_OBJECT
private slots:
    void hands_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QPoint>("hour");
        QTest::addColumn<QPoint>("minute");
        QTest::addColumn<QPoint>("second");
        // Expected ends worked out by hand from k × 6.28 / 60 with truncation toward zero.
        QTest::newRow("midnight: all hands at 12")
            << QTime(0, 0, 0) << QPoint(64, 39) << QPoint(65, 29) << QPoint(65, 19);
        QTest::newRow("02:30 hour value -2.5 cut to -2, not -3")
            << QTime(2, 30) << QPoint(88, 58) << QPoint(65, 98) << QPoint(65, 19);
        QTest::newRow("15:00 wraps to 3 o'clock with 6.28")
            << QTime(15, 0) << QPoint(88, 63) << QPoint(65, 29) << QPoint(65, 19);
        QTest::newRow("03:00 exactly at 3 o'clock")
            << QTime(3, 0) << QPoint(89, 64) << QPoint(65, 29) << QPoint(65, 19);
        QTest::newRow("23:59:59 just before 12")
            << QTime(23, 59, 59) << QPoint(61, 39) << QPoint(61, 29) << QPoint(60, 19);
        QTest::newRow("09:45:15 quarter marks")
            << QTime(9, 45, 15) << QPoint(40, 56) << QPoint(30, 64) << QPoint(110, 64);
        QTest::newRow("08:05:09 odd values")
            << QTime(8, 5, 9) << QPoint(42, 76) << QPoint(82, 33) << QPoint(101, 37);
    }
    void hands() {
        QFETCH(QTime, time);
        QFETCH(QPoint, hour);
        QFETCH(QPoint, minute);
        QFETCH(QPoint, second);
        const ClockHands h = clockHands(time.hour(), time.minute(), time.second());
        QCOMPARE(h.hour.from, QPoint(64, 64));
        QCOMPARE(h.minute.from, QPoint(65, 64));
        QCOMPARE(h.second.from, QPoint(65, 64));
        QCOMPARE(h.hour.to, hour);
        QCOMPARE(h.minute.to, minute);
        QCOMPARE(h.second.to, second);
        QCOMPARE(h.hour.penWidth, 3);
        QCOMPARE(h.minute.penWidth, 2);
        QCOMPARE(h.second.penWidth, 0);
    }

    // Every second of a day: the hands stay on the face, keep their length, and move clockwise.
    void sweepOfADay() {
        QPoint previousSecond = clockHands(0, 0, 59).second.to;
        for (int t = 0; t < 86400; ++t) {
            const ClockHands h = clockHands(t / 3600, t / 60 % 60, t % 60);
            for (const HandLine* hand : {&h.hour, &h.minute, &h.second}) {
                QVERIFY(hand->to.x() >= 0 && hand->to.x() < 128 && hand->to.y() >= 0 && hand->to.y() < 128);
            }
            const auto length = [](const HandLine& l) {
                return std::hypot(l.to.x() - l.from.x(), l.to.y() - l.from.y());
            };
            QVERIFY(std::abs(length(h.hour) - 25) < 1.5);
            QVERIFY(std::abs(length(h.minute) - 35) < 1.5);
            QVERIFY(std::abs(length(h.second) - 45) < 1.5);
            // Clockwise in screen coordinates: the cross product of consecutive second hands is >= 0.
            const QPoint a = previousSecond - h.second.from, b = h.second.to - h.second.from;
            QVERIFY2(a.x() * b.y() - a.y() * b.x() >= 0, qPrintable(QString::number(t)));
            previousSecond = h.second.to;
        }
    }

    void label_data() {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("no leading zeros in the date, two digits in the time")
            << QDateTime(QDate(2010, 5, 3), QTime(8, 5, 9)) << "2010/5/3 08:05:09";
        QTest::newRow("midnight") << QDateTime(QDate(2026, 12, 31), QTime(0, 0, 0)) << "2026/12/31 00:00:00";
        QTest::newRow("last second of a day")
            << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)) << "2024/2/29 23:59:59";
    }
    void label() {
        QFETCH(QDateTime, time);
        QFETCH(QString, text);
        QCOMPARE(clockLabelText(time), text);
    }

    void weekday_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("greeting");
        QTest::newRow("Monday") << QDate(2026, 12, 7) << "你好,今天是星期一";
        QTest::newRow("Tuesday") << QDate(2026, 12, 8) << "你好,今天是星期二";
        QTest::newRow("Wednesday") << QDate(2026, 12, 9) << "你好,今天是星期三";
        QTest::newRow("Thursday") << QDate(2026, 12, 10) << "你好,今天是星期四";
        QTest::newRow("Friday") << QDate(2026, 12, 11) << "你好,今天是星期五";
        QTest::newRow("Saturday") << QDate(2026, 12, 12) << "你好,今天是星期六";
        QTest::newRow("Sunday is 日, not 七") << QDate(2026, 12, 13) << "你好,今天是星期日";
        QTest::newRow("leap day 2024 was a Thursday") << QDate(2024, 2, 29) << "你好,今天是星期四";
    }
    void weekday() {
        QFETCH(QDate, date);
        QFETCH(QString, greeting);
        QCOMPARE(weekdayGreeting(weekdayChar(date)), greeting);
    }

    void lunarLabel_data() {
        QTest::addColumn<QString>("full");
        QTest::addColumn<QString>("label");
        QTest::newRow("cut after the first space, space kept") << "丙午年(马)十月廿八 2026-12-7"
                                                               << "丙午年(马)十月廿八 ";
        QTest::newRow("leap month") << "庚子年(鼠)闰四月初一 2020-5-23"
                                    << "庚子年(鼠)闰四月初一 ";
        QTest::newRow("no space gives nothing") << "丙午年(马)十月廿八"
                                                << "";
        QTest::newRow("empty text") << ""
                                    << "";
    }
    void lunarLabel() {
        QFETCH(QString, full);
        QFETCH(QString, label);
        QCOMPARE(lunarLabelText(full), label);
    }
};

ORVANE_TEST(ClockTextTest)
#include "test_ClockText.moc"
