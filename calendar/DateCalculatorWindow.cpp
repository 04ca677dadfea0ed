// The date calculator window: its two pages, the twenty combo boxes and their fillers, the two handlers.
#include "calendar/DateCalculatorWindow.h"

#include "calendar/DateArithmetic.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace orvane {

namespace {

// Decimal items from..to; the item equal to `current` is selected, none when there is no such item.
void fillNumbers(QComboBox* box, int from, int to, int current) {
    for (int v = from; v <= to; ++v)
        box->addItem(QString::number(v));
    box->setCurrentIndex(current >= from && current <= to ? current - from : -1);
}

QComboBox* makeCombo(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // typed texts are read, never added to the list
    box->setGeometry(geometry);
    return box;
}

QStringList textsOf(const QList<QComboBox*>& boxes) {
    QStringList texts;
    for (const QComboBox* box : boxes)
        texts.append(box->currentText());
    return texts;
}

} // namespace

DateCalculatorWindow::DateCalculatorWindow(const Clock& clock, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral(" 日期计算"));
    setGeometry(50, 50, 440, 190); // the six boxes of a date row and their labels fit inside their group
    const QDateTime now = clock.now();
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("选择夹1"));
    tabs->setGeometry(8, 8, 424, 174);
    tabs->addTab(buildShiftPage(now), QStringLiteral("推算日期"));
    tabs->addTab(buildDifferencePage(now), QStringLiteral("计算日期差"));
}

// Six boxes in the order year … second, each followed by its label; `nameSuffix` is "", "1" or "2".
QList<QComboBox*> DateCalculatorWindow::addDateRow(QWidget* page, int top, const QString& nameSuffix,
                                                   const QDateTime& now) {
    static const QString kFields[6] = {QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("日"),
                                       QStringLiteral("时"), QStringLiteral("分"), QStringLiteral("秒")};
    QList<QComboBox*> boxes;
    int left = 8;
    for (int i = 0; i < 6; ++i) {
        const int width = i == 0 ? 62 : 44;
        boxes.append(makeCombo(page, QStringLiteral("组合框_") + kFields[i] + nameSuffix,
                               QRect(left, top, width, 22)));
        auto* label = new QLabel(kFields[i], page);
        label->setGeometry(left + width + 2, top, 14, 22);
        left += width + 18;
    }
    const QDate today = now.date();
    const QTime time = now.time();
    fillNumbers(boxes[0], 1920, 2049, today.year());
    fillNumbers(boxes[1], 1, 12, today.month());
    fillNumbers(boxes[2], 1, today.daysInMonth(), today.day()); // filled once, for the current month
    fillNumbers(boxes[3], 0, 23, time.hour());
    fillNumbers(boxes[4], 0, 59, time.minute());
    fillNumbers(boxes[5], 0, 59, time.second());
    return boxes;
}

QComboBox* DateCalculatorWindow::addUnitList(QWidget* page, const QString& name, const QRect& geometry) {
    QComboBox* box = makeCombo(page, name, geometry);
    static const std::pair<const char16_t*, int> kUnits[] = {{u"年", kUnitYears},   {u"月", kUnitMonths},
                                                             {u"日", kUnitDays},    {u"时", kUnitHours},
                                                             {u"分", kUnitMinutes}, {u"秒", kUnitSeconds}};
    for (const auto& [text, code] : kUnits)
        box->addItem(QString::fromUtf16(text), code);
    box->setCurrentIndex(-1);
    return box;
}

QWidget* DateCalculatorWindow::buildShiftPage(const QDateTime& now) {
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("原始日期"), page);
    group->setGeometry(6, 6, 406, 62);
    shiftFields_ = addDateRow(group, 26, QString(), now);

    auto* label = new QLabel(QStringLiteral("相差"), page);
    label->setGeometry(14, 88, 30, 22);
    amount_ = new QLineEdit(page);
    amount_->setObjectName(QStringLiteral("编辑框_相差时间"));
    amount_->setGeometry(48, 88, 100, 22);
    shiftUnit_ = addUnitList(page, QStringLiteral("组合框_相差单位"), QRect(156, 88, 52, 22));
    auto* button = new QPushButton(QStringLiteral("计算"), page);
    button->setObjectName(QStringLiteral("按钮1"));
    button->setGeometry(300, 86, 72, 26);
    connect(button, &QPushButton::clicked, this, &DateCalculatorWindow::AddToDate);
    return page;
}

QWidget* DateCalculatorWindow::buildDifferencePage(const QDateTime& now) {
    auto* page = new QWidget;
    firstFields_ = addDateRow(page, 12, QStringLiteral("1"), now);
    secondFields_ = addDateRow(page, 44, QStringLiteral("2"), now);

    auto* label = new QLabel(QStringLiteral("两个时间相差多少"), page);
    label->setGeometry(14, 88, 110, 22);
    differenceUnit_ = addUnitList(page, QStringLiteral("组合框_相差单位1"), QRect(130, 88, 52, 22));
    auto* button = new QPushButton(QStringLiteral("计算"), page);
    button->setObjectName(QStringLiteral("按钮2"));
    button->setGeometry(300, 86, 72, 26);
    connect(button, &QPushButton::clicked, this, &DateCalculatorWindow::DateDifference);
    return page;
}

void DateCalculatorWindow::AddToDate() {
    if (shiftUnit_->currentIndex() < 0) {
        dialogs_.message(QStringLiteral("请选择相差的时间单位！"));
        return;
    }
    const OleDateTime start = readDateFields(textsOf(shiftFields_));
    const int unit = shiftUnit_->currentData().toInt();
    const OleDateTime result = orvane::AddToDate(start, readAmount(amount_->text()), unit);
    const QStringList texts = dateFieldTexts(result);
    for (int i = 0; i < 6; ++i)
        shiftFields_[i]->setEditText(texts[i]);
}

void DateCalculatorWindow::DateDifference() {
    if (differenceUnit_->currentIndex() < 0) {
        dialogs_.message(QStringLiteral("请选择相差的时间单位！"));
        return;
    }
    const OleDateTime first = readDateFields(textsOf(firstFields_));
    const OleDateTime second = readDateFields(textsOf(secondFields_));
    const double interval = orvane::DateDifference(first, second, differenceUnit_->currentData().toInt());
    dialogs_.message(differenceMessage(interval, differenceUnit_->itemText(differenceUnit_->currentIndex())));
}

void openDateCalculator(const Clock& clock, Dialogs& dialogs, QWidget* parent) {
    DateCalculatorWindow window(clock, dialogs, parent);
    window.exec();
}

} // namespace orvane
