// Tests of the lunar lookup window offscreen: its lists, the lookup on opening and on each choice, and the
// rule that the last choice owns the result box, whatever order the answers come in.
#include "calendar/LunarExchange.h"
#include "calendar/LunarLookupWindow.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestRegistry.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QComboBox* list(QWidget& w, const QString& name) {
    auto* box = w.findChild<QComboBox*>(name);
    if (!box)
        qFatal("no list %s", qPrintable(name));
    return box;
}

void choose(QWidget& w, const QString& name, const QString& item) {
    QComboBox* box = list(w, name);
    const int index = box->findText(item);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// A post that records every body and answers with the built-in service's page, at once or, when
// held, when the test says so.
struct Recorder {
    QList<QByteArray> bodies;
    bool hold = false;
    QList<std::function<void()>> held;
    orvane::PageFetch post() {
        return [this](const orvane::PageRequest& request, orvane::PageCallback done) {
            const QByteArray body = request.postData;
            bodies.append(body);
            const QByteArray page = orvane::builtInLunarPage(body, QDate(2010, 3, 5));
            if (hold)
                held.append([page, done] { done(page); });
            else
                done(page);
        };
    }
};

QString linesFor(int y, int m, int d) {
    return orvane::lunarResultText(orvane::builtInLunarPage(
        orvane::lunarFormBody(QString::number(y), QString::number(m), QString::number(d)),
        QDate(2010, 3, 5)));
}

} // namespace

class LunarLookupWindow : public QObject {
    Q_OBJECT
private slots:
    void opening_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QStringList>("shown"); // year, month, day
        QTest::addColumn<int>("days");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("today selected and posted")
            << QDate(2010, 3, 5) << QStringList{u"2010"_s, u"3"_s, u"5"_s} << 31
            << QByteArray("year=2010&month=3&day=5&image.x=8&image.y=9");
        QTest::newRow("a leap February lists 29 days")
            << QDate(2024, 2, 29) << QStringList{u"2024"_s, u"2"_s, u"29"_s} << 29
            << QByteArray("year=2024&month=2&day=29&image.x=8&image.y=9");
        QTest::newRow("a year after 2049 selects no year")
            << QDate(2050, 4, 30) << QStringList{QString(), u"4"_s, u"30"_s} << 30
            << QByteArray("year=&month=4&day=30&image.x=8&image.y=9");
    }
    void opening() {
        QFETCH(QDate, today);
        QFETCH(QStringList, shown);
        QFETCH(int, days);
        QFETCH(QByteArray, body);
        orvane::test::FakeClock clock(QDateTime(today, QTime(9, 0)));
        Recorder recorder;
        orvane::LunarLookupWindow w(clock, recorder.post(), "http://lunar.test/");
        QCOMPARE(QStringList({list(w, u"组合框_年"_s)->currentText(), list(w, u"组合框_月"_s)->currentText(),
                              list(w, u"组合框_日"_s)->currentText()}),
                 shown);
        QCOMPARE(list(w, u"组合框_年"_s)->count(), 130);
        QCOMPARE(list(w, u"组合框_月"_s)->count(), 12);
        QCOMPARE(list(w, u"组合框_日"_s)->count(), days);
        QCOMPARE(recorder.bodies, QList<QByteArray>{body});
        QCOMPARE(w.resultText(), orvane::lunarResultText(orvane::builtInLunarPage(body, QDate(2010, 3, 5))));
        QCOMPARE(w.findChild<QPlainTextEdit*>(u"编辑框1"_s)->toPlainText().split(u'\n').size(), 8);
    }

    void shape() {
        orvane::test::FakeClock clock;
        Recorder recorder;
        orvane::LunarLookupWindow w(clock, recorder.post(), "http://lunar.test/");
        QCOMPARE(w.geometry(), QRect(50, 50, 282, 300));
        QCOMPARE(list(w, u"组合框_年"_s)->geometry(), QRect(17, 8, 67, 20));
        QCOMPARE(w.findChild<QPlainTextEdit*>(u"编辑框1"_s)->geometry(), QRect(16, 48, 240, 208));
        QVERIFY(!list(w, u"组合框_日"_s)->isEditable());
    }

    void choices_data() {
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("a year keeps the month and day shown")
            << u"组合框_年"_s << u"1984"_s << QByteArray("year=1984&month=4&day=30&image.x=8&image.y=9");
        QTest::newRow("a month keeps the year and day shown")
            << u"组合框_月"_s << u"2"_s << QByteArray("year=2010&month=2&day=30&image.x=8&image.y=9");
        QTest::newRow("a day") << u"组合框_日"_s << u"1"_s
                               << QByteArray("year=2010&month=4&day=1&image.x=8&image.y=9");
    }
    void choices() {
        QFETCH(QString, listName);
        QFETCH(QString, item);
        QFETCH(QByteArray, body);
        orvane::test::FakeClock clock(QDateTime(QDate(2010, 4, 30), QTime(9, 0)));
        Recorder recorder;
        orvane::LunarLookupWindow w(clock, recorder.post(), "http://lunar.test/");
        choose(w, listName, item);
        QCOMPARE(recorder.bodies.size(), 2);
        QCOMPARE(recorder.bodies.last(), body);
        QCOMPARE(list(w, u"组合框_日"_s)->count(), 30); // the day list is never refilled
        QCOMPARE(w.resultText(), orvane::lunarResultText(orvane::builtInLunarPage(body, QDate(2010, 3, 5))));
    }

    void laterChoiceWins_data() {
        QTest::addColumn<QList<int>>("answerOrder"); // indexes into the held answers
        QTest::newRow("answers in order") << QList<int>{0, 1, 2};
        QTest::newRow("the first answer comes last") << QList<int>{1, 2, 0};
        QTest::newRow("the last answer comes first") << QList<int>{2, 0, 1};
    }
    void laterChoiceWins() {
        QFETCH(QList<int>, answerOrder);
        orvane::test::FakeClock clock(QDateTime(QDate(2010, 3, 5), QTime(9, 0)));
        Recorder recorder;
        orvane::LunarLookupWindow w(clock, recorder.post(), "http://lunar.test/");
        recorder.hold = true;
        choose(w, u"组合框_月"_s, u"7"_s);
        choose(w, u"组合框_年"_s, u"1999"_s);
        choose(w, u"组合框_日"_s, u"9"_s);
        QCOMPARE(recorder.held.size(), 3);
        for (int i : answerOrder)
            recorder.held.at(i)();
        QCOMPARE(w.resultText(), linesFor(1999, 7, 9));
        QCOMPARE(w.findChild<QPlainTextEdit*>(u"编辑框1"_s)->toPlainText(),
                 w.resultText().replace(u"\r\n"_s, u"\n"_s));
    }

    void networkDownShowsSevenMarkers() {
        orvane::test::FakeClock clock;
        orvane::LunarLookupWindow w(
            clock, [](const orvane::PageRequest&, const auto& done) { done(QByteArray()); },
            "http://lunar.test/");
        QCOMPARE(w.resultText(),
                 u"公历：\r\n农历：\r\n四柱：\r\n节气：\r\n二十八宿：\r\n甲子纳音：\r\n距今：\r\n"_s);
    }
};

ORVANE_TEST(LunarLookupWindow)
#include "test_LunarLookupWindow.moc"
