// The window " 日期计算": shift a date-time by whole units, or tell how far apart two date-times are.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace orvane {

class Clock;
class Dialogs;

class DateCalculatorWindow : public QDialog {
public:
    // The lists are filled from clock.now() once, when the window is made.
    DateCalculatorWindow(const Clock& clock, Dialogs& dialogs, QWidget* parent = nullptr);

    // Page 0 "计算": shifts the date-time shown and writes the result back into its six boxes.
    void AddToDate();
    // Page 1 "计算": the interval from the second date-time to the first, in a message box.
    void DateDifference();

private:
    QWidget* buildShiftPage(const QDateTime& now);
    QWidget* buildDifferencePage(const QDateTime& now);
    QList<QComboBox*> addDateRow(QWidget* page, int top, const QString& nameSuffix, const QDateTime& now);
    static QComboBox* addUnitList(QWidget* page, const QString& name, const QRect& geometry);

    Dialogs& dialogs_;
    QList<QComboBox*> shiftFields_;
    QList<QComboBox*> firstFields_;
    QList<QComboBox*> secondFields_;
    QLineEdit* amount_ = nullptr;
    QComboBox* shiftUnit_ = nullptr;
    QComboBox* differenceUnit_ = nullptr;
};

// The button "日期计算": the calculator, modal; returns when it is closed.
void openDateCalculator(const Clock& clock, Dialogs& dialogs, QWidget* parent = nullptr);

} // namespace orvane
