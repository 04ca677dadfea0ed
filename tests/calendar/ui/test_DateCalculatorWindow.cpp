// Tests of the date calculator window: its fillers, unit lists and the two "计算" buttons, offscreen.
#include "calendar/DateCalculatorWindow.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestRegistry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QComboBox* combo(QWidget& w, const QString& name) {
    auto* box = w.findChild<QComboBox*>(name);
    if (!box)
        qFatal("no combo box %s", qPrintable(name));
    return box;
}

QStringList names(const QString& suffix) {
    QStringList out;
    for (const QString& f : {u"年"_s, u"月"_s, u"日"_s, u"时"_s, u"分"_s, u"秒"_s})
        out.append(u"组合框_"_s + f + suffix);
    return out;
}

void setFields(QWidget& w, const QString& suffix, const QStringList& texts) {
    const QStringList n = names(suffix);
    for (int i = 0; i < 6; ++i)
        combo(w, n[i])->setEditText(texts[i]);
}

QStringList fields(QWidget& w, const QString& suffix) {
    QStringList out;
    for (const QString& name : names(suffix))
        out.append(combo(w, name)->currentText());
    return out;
}

void chooseUnit(QWidget& w, const QString& list, const QString& unit) {
    QComboBox* box = combo(w, list);
    box->setCurrentIndex(box->findText(unit));
}

} // namespace

class DateCalculatorWindow : public QObject {
    Q_OBJECT
private slots:
    void fillers_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("field");    // 年 … 秒, checked on all three rows
        QTest::addColumn<QStringList>("ends"); // first and last item
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("selected");
        const QDateTime feb(QDate(2012, 2, 14), QTime(0, 0, 0));
        QTest::newRow("years 1920-2049 select the current year")
            << feb << u"年"_s << QStringList{u"1920"_s, u"2049"_s} << 130 << u"2012"_s;
        QTest::newRow("a year after 2049 selects nothing")
            << QDateTime(QDate(2050, 1, 1), QTime(1, 2, 3)) << u"年"_s << QStringList{u"1920"_s, u"2049"_s}
            << 130 << QString();
        QTest::newRow("months 1-12") << feb << u"月"_s << QStringList{u"1"_s, u"12"_s} << 12 << u"2"_s;
        QTest::newRow("days of a leap February end at 29")
            << feb << u"日"_s << QStringList{u"1"_s, u"29"_s} << 29 << u"14"_s;
        QTest::newRow("days of a 30-day month end at 30")
            << QDateTime(QDate(2010, 4, 30), QTime(23, 59, 59)) << u"日"_s << QStringList{u"1"_s, u"30"_s}
            << 30 << u"30"_s;
        QTest::newRow("hour list selects 0 at midnight")
            << feb << u"时"_s << QStringList{u"0"_s, u"23"_s} << 24 << u"0"_s;
        QTest::newRow("minute list") << QDateTime(QDate(2010, 4, 30), QTime(23, 59, 7)) << u"分"_s
                                     << QStringList{u"0"_s, u"59"_s} << 60 << u"59"_s;
        QTest::newRow("second list") << QDateTime(QDate(2010, 4, 30), QTime(23, 59, 7)) << u"秒"_s
                                     << QStringList{u"0"_s, u"59"_s} << 60 << u"7"_s;
    }
    void fillers() {
        QFETCH(QDateTime, now);
        QFETCH(QString, field);
        QFETCH(QStringList, ends);
        QFETCH(int, count);
        QFETCH(QString, selected);
        orvane::test::FakeClock clock(now);
        orvane::test::ScriptedDialogs dialogs;
        orvane::DateCalculatorWindow w(clock, dialogs);
        for (const QString& suffix : {QString(), u"1"_s, u"2"_s}) {
            QComboBox* box = combo(w, u"组合框_"_s + field + suffix);
            QVERIFY(box->isEditable());
            QCOMPARE(box->count(), count);
            QCOMPARE(QStringList({box->itemText(0), box->itemText(count - 1)}), ends);
            QCOMPARE(box->currentText(), selected);
        }
    }

    void windowShape() {
        orvane::test::FakeClock clock;
        orvane::test::ScriptedDialogs dialogs;
        orvane::DateCalculatorWindow w(clock, dialogs);
        auto* tabs = w.findChild<QTabWidget*>(u"选择夹1"_s);
        QVERIFY(tabs);
        QCOMPARE(QStringList({tabs->tabText(0), tabs->tabText(1)}),
                 QStringList({u"推算日期"_s, u"计算日期差"_s}));
        QCOMPARE(w.findChildren<QComboBox*>().size(), 20);
        for (const QString& list : {u"组合框_相差单位"_s, u"组合框_相差单位1"_s}) {
            QComboBox* box = combo(w, list);
            QCOMPARE(box->currentIndex(), -1);
            QStringList items;
            for (int i = 0; i < box->count(); ++i)
                items.append(box->itemText(i) + QString::number(box->itemData(i).toInt()));
            QCOMPARE(items, QStringList({u"年1"_s, u"月3"_s, u"日5"_s, u"时6"_s, u"分7"_s, u"秒8"_s}));
        }
    }

    void shiftButton_data() {
        QTest::addColumn<QStringList>("start");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QStringList>("result");
        QTest::newRow("31 Jan 12:00 + 1 month writes 28 Feb with empty minute and second")
            << QStringList{u"2010"_s, u"1"_s, u"31"_s, u"12"_s, u"0"_s, u"0"_s} << u"1"_s << u"月"_s << 1
            << QStringList{u"2010"_s, u"2"_s, u"28"_s, u"12"_s, {}, {}};
        QTest::newRow("-1.9 days subtracts one day")
            << QStringList{u"2010"_s, u"3"_s, u"5"_s, u"0"_s, u"0"_s, u"0"_s} << u"-1.9"_s << u"日"_s << 1
            << QStringList{u"2010"_s, u"3"_s, u"4"_s, {}, {}, {}};
        QTest::newRow("empty amount rewrites the fields in the text form")
            << QStringList{u"2010"_s, u"3"_s, u"5"_s, u"0"_s, u"5"_s, u"0"_s} << QString() << u"秒"_s << 1
            << QStringList{u"2010"_s, u"3"_s, u"5"_s, u"0"_s, u"5"_s, {}};
        QTest::newRow("repeated presses accumulate")
            << QStringList{u"2010"_s, u"3"_s, u"5"_s, u"22"_s, u"0"_s, u"0"_s} << u"1"_s << u"时"_s << 3
            << QStringList{u"2010"_s, u"3"_s, u"6"_s, u"1"_s, {}, {}};
        QTest::newRow("an invalid date shifts from 100-01-01")
            << QStringList{u"2010"_s, u"2"_s, u"30"_s, {}, {}, {}} << u"1"_s << u"日"_s << 1
            << QStringList{u"100"_s, u"1"_s, u"2"_s, {}, {}, {}};
    }
    void shiftButton() {
        QFETCH(QStringList, start);
        QFETCH(QString, amount);
        QFETCH(QString, unit);
        QFETCH(int, presses);
        QFETCH(QStringList, result);
        orvane::test::FakeClock clock;
        orvane::test::ScriptedDialogs dialogs;
        orvane::DateCalculatorWindow w(clock, dialogs);
        setFields(w, QString(), start);
        w.findChild<QLineEdit*>(u"编辑框_相差时间"_s)->setText(amount);
        chooseUnit(w, u"组合框_相差单位"_s, unit);
        for (int i = 0; i < presses; ++i)
            QTest::mouseClick(w.findChild<QPushButton*>(u"按钮1"_s), Qt::LeftButton);
        QCOMPARE(fields(w, QString()), result);
        QCOMPARE(dialogs.log(), QStringList());
    }

    void differenceButton_data() {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("message");
        const QStringList march1{u"2010"_s, u"3"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s};
        const QStringList march5{u"2010"_s, u"3"_s, u"5"_s, u"0"_s, u"0"_s, u"0"_s};
        QTest::newRow("equal date-times") << march5 << march5 << u"日"_s << u"日期相差0日"_s;
        QTest::newRow("first earlier by four days") << march1 << march5 << u"日"_s << u"日期相差-4日"_s;
        QTest::newRow("first later by four days") << march5 << march1 << u"日"_s << u"日期相差4日"_s;
        QTest::newRow("first later by twelve hours, in days")
            << QStringList{u"2010"_s, u"3"_s, u"5"_s, u"12"_s, {}, {}} << march5 << u"日"_s
            << u"日期相差0.5日"_s;
        QTest::newRow("an invalid first date-time reads as 100-01-01")
            << QStringList{u"2010"_s, u"13"_s, u"1"_s, {}, {}, {}} << march5 << u"年"_s
            << u"日期相差-1910年"_s;
        QTest::newRow("no unit chosen") << march5 << march1 << QString() << u"请选择相差的时间单位！"_s;
    }
    void differenceButton() {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QString, unit);
        QFETCH(QString, message);
        orvane::test::FakeClock clock;
        orvane::test::ScriptedDialogs dialogs;
        orvane::DateCalculatorWindow w(clock, dialogs);
        setFields(w, u"1"_s, first);
        setFields(w, u"2"_s, second);
        if (!unit.isEmpty())
            chooseUnit(w, u"组合框_相差单位1"_s, unit);
        QTest::mouseClick(w.findChild<QPushButton*>(u"按钮2"_s), Qt::LeftButton);
        QCOMPARE(dialogs.log(), QStringList{u"message 信息：|"_s + message});
    }

    void shiftWithoutUnitChangesNothing() {
        orvane::test::FakeClock clock;
        orvane::test::ScriptedDialogs dialogs;
        orvane::DateCalculatorWindow w(clock, dialogs);
        const QStringList before = fields(w, QString());
        w.findChild<QLineEdit*>(u"编辑框_相差时间"_s)->setText(u"5"_s);
        QTest::mouseClick(w.findChild<QPushButton*>(u"按钮1"_s), Qt::LeftButton);
        QCOMPARE(dialogs.log(), QStringList{u"message 信息：|请选择相差的时间单位！"_s});
        QCOMPARE(fields(w, QString()), before);
    }
};

ORVANE_TEST(DateCalculatorWindow)
#include "test_DateCalculatorWindow.moc"
