// The carried holiday table against published notices, the iCalendar import, and the names of a day.
#include "calendar/DayNames.h"
#include "calendar/HolidayIcs.h"
#include "calendar/Holidays.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace orvane;
using namespace Qt::StringLiterals;

namespace {

// A calendar around the given events, with the time-zone block the published files carry (its DTSTART
// is a date-time that must not be taken for an event's).
QByteArray calendar(const QByteArray& events) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTIMEZONE\r\nTZID:Asia/Shanghai\r\nBEGIN:STANDARD\r\n"
           "DTSTART:19700101T000000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n" +
           events + "END:VCALENDAR\r\n";
}

QByteArray vevent(const char* start, const char* end, const char* summary) {
    return "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:"_ba + start + "\r\nDTEND;VALUE=DATE:" + end +
           "\r\nSUMMARY:" + summary + "\r\nEND:VEVENT\r\n";
}

QStringList described(const HolidayTable& table) {
    QStringList days;
    for (const HolidayDay& day : table.days())
        days << day.date.toString(u"yyyy-MM-dd") + (day.dayOff ? u" 休 "_s : u" 班 "_s) + day.name;
    return days;
}

} // namespace

class Holidays : public QObject {
    Q_OBJECT
private slots:
    // Published notices of the State Council; an empty name is a day the table does not list.
    void carriedTable_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("workday");
        QTest::addColumn<QString>("name");
        QTest::newRow("2020 春节 extended to 2 February") << QDate(2020, 2, 2) << false << u"春节"_s;
        QTest::newRow("2024 Sunday 4 February worked") << QDate(2024, 2, 4) << true << u"春节"_s;
        QTest::newRow("2024 Sunday 18 February worked") << QDate(2024, 2, 18) << true << u"春节"_s;
        QTest::newRow("2025 Sunday 26 January worked") << QDate(2025, 1, 26) << true << u"春节"_s;
        QTest::newRow("2025 Saturday 8 February worked") << QDate(2025, 2, 8) << true << u"春节"_s;
        QTest::newRow("2026 春节 first of nine days") << QDate(2026, 2, 15) << false << u"春节"_s;
        QTest::newRow("2026 春节 last of nine, a Monday") << QDate(2026, 2, 23) << false << u"春节"_s;
        QTest::newRow("2026 the Tuesday after 春节") << QDate(2026, 2, 24) << true << QString();
        QTest::newRow("2026 国庆节") << QDate(2026, 10, 1) << false << u"国庆节"_s;
        QTest::newRow("2026 Saturday 10 October worked") << QDate(2026, 10, 10) << true << u"国庆节"_s;
        QTest::newRow("2026 Monday 28 September, ordinary") << QDate(2026, 9, 28) << true << QString();
        QTest::newRow("2026 清明 under its full name") << QDate(2026, 4, 5) << false << u"清明节"_s;
        QTest::newRow("2026 ordinary Wednesday") << QDate(2026, 3, 11) << true << QString();
        QTest::newRow("2026 ordinary Saturday") << QDate(2026, 3, 14) << false << QString();
        QTest::newRow("a year not covered follows the week") << QDate(2099, 1, 1) << true << QString();
    }
    void carriedTable() {
        QFETCH(QDate, date);
        QFETCH(bool, workday);
        QFETCH(QString, name);
        const HolidayTable& table = HolidayTable::carried();
        QCOMPARE(isStatutoryWorkday(date, table), workday);
        const HolidayDay* listed = table.find(date);
        QCOMPARE(listed ? listed->name : QString(), name);
        QCOMPARE(table.years().first(), 2004);
    }

    void parseIcs_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("days"); // empty: malformed
        QTest::addColumn<int>("errorLine");
        QTest::newRow("DTEND is exclusive")
            << calendar(vevent("20271001", "20271003", "国庆节(休)"))
            << QStringList{u"2027-10-01 休 国庆节"_s, u"2027-10-02 休 国庆节"_s} << 0;
        QTest::newRow("make-up workday, short name made full")
            << calendar(vevent("20270925", "20270926", "中秋(班)")) << QStringList{u"2027-09-25 班 中秋节"_s}
            << 0;
        QTest::newRow("folded summary, LF lines, no DTEND is one day")
            << "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART;VALUE=DATE:20270101\nSUMMARY:元\n 旦(休)\nEND:VEVENT\n"
               "END:VCALENDAR\n"_ba
            << QStringList{u"2027-01-01 休 元旦"_s} << 0;
        QTest::newRow("no VCALENDAR") << vevent("20270101", "20270102", "元旦(休)") << QStringList() << 1;
        QTest::newRow("empty file") << QByteArray() << QStringList() << 1;
        QTest::newRow("date-time start")
            << calendar(vevent("20270101T000000", "20270102", "元旦(休)")) << QStringList() << 10;
        QTest::newRow("DTEND before DTSTART")
            << calendar(vevent("20270103", "20270101", "元旦(休)")) << QStringList() << 9;
        QTest::newRow("summary neither 休 nor 班")
            << calendar(vevent("20270101", "20270102", "元旦")) << QStringList() << 9;
        QTest::newRow("summary with no name")
            << calendar(vevent("20270101", "20270102", "(休)")) << QStringList() << 9;
        QTest::newRow("event without a start")
            << calendar("BEGIN:VEVENT\r\nSUMMARY:元旦(休)\r\nEND:VEVENT\r\n") << QStringList() << 9;
        QTest::newRow("event never ended")
            << calendar("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20270101\r\nSUMMARY:元旦(休)\r\n")
            << QStringList() << 12;
        QTest::newRow("calendar without events") << calendar({}) << QStringList() << 9;
        QTest::newRow("cut short") << calendar(vevent("20270101", "20270102", "元旦(休)")).chopped(15)
                                   << QStringList() << 13;
    }
    void parseIcs() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, days);
        QFETCH(int, errorLine);
        QString error;
        const std::optional<HolidayTable> table = parseHolidayIcs(text, &error);
        QCOMPARE(table.has_value(), errorLine == 0);
        if (table)
            QCOMPARE(described(*table), days);
        else
            QCOMPARE(error, u"节假日文件格式错误（第 %1 行）"_s.arg(errorLine));
    }

    // An imported 2027 joins the carried years; an imported year replaces the carried one whole.
    void importAddsAndReplacesYears() {
        const QByteArray text =
            calendar(vevent("20270206", "20270214", "春节(休)") + vevent("20270214", "20270215", "春节(班)") +
                     vevent("20261001", "20261002", "国庆节(休)"));
        const std::optional<HolidayTable> imported = parseHolidayIcs(text, nullptr);
        QVERIFY(imported);
        QCOMPARE(holidayYearsText(*imported), u"2026、2027年"_s);
        const HolidayTable table = HolidayTable::carried().overriddenBy(*imported);
        QVERIFY(table.covers(2025) && table.covers(2027));
        QVERIFY(!isStatutoryWorkday(QDate(2027, 2, 8), table));  // a Monday off
        QVERIFY(isStatutoryWorkday(QDate(2027, 2, 14), table));  // a Sunday worked
        QVERIFY(isStatutoryWorkday(QDate(2026, 10, 2), table));  // carried day off, gone with its year
        QVERIFY(!isStatutoryWorkday(QDate(2025, 10, 2), table)); // other carried years stay
    }

    void dayNames_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("2026 除夕, 腊月 of 29 days") << QDate(2026, 2, 16) << u"春节 放假\n除夕"_s;
        QTest::newRow("2026 春节 day off and festival") << QDate(2026, 2, 17) << u"春节 放假\n春节"_s;
        QTest::newRow("2026 国庆节, 中秋 falls in September") << QDate(2026, 10, 1) << u"国庆节 放假"_s;
        QTest::newRow("2026 中秋") << QDate(2026, 9, 25) << u"中秋节 放假\n中秋"_s;
        QTest::newRow("make-up workday") << QDate(2026, 10, 10) << u"国庆节 调休上班"_s;
        QTest::newRow("2026 冬至") << QDate(2026, 12, 22) << u"冬至"_s;
        QTest::newRow("2025 腊八") << QDate(2025, 1, 7) << u"腊八"_s;
        QTest::newRow("ordinary day") << QDate(2026, 3, 11) << QString();
    }
    void dayNames() {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QCOMPARE(dayNamesText(date, HolidayTable::carried()), text);
    }
};

ORVANE_TEST(Holidays)
#include "test_Holidays.moc"
