// The number box, the date box and the mark of a refused entry.
#include "platform/TypingBoxes.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace orvane {

namespace {

// Separators people type between year, month and day.
bool isDateSeparator(const QString& text) {
    return text.size() == 1 && QStringView(u"/-.年月日 ").contains(text.at(0));
}

bool isDigit(const QString& text) {
    return text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9';
}

} // namespace

QValidator::State NumberValidator::validate(QString& input, int&) const {
    const QString digits = input.trimmed();
    if (digits.isEmpty())
        return Intermediate;
    if (digits.size() > 2)
        return Invalid;
    for (QChar c : digits)
        if (c < u'0' || c > u'9')
            return Invalid;
    return digits.toInt() <= max_ ? Acceptable : Intermediate;
}

void makeNumberBox(QComboBox* box, int max, const QString& reason) {
    box->setCompleter(nullptr);
    auto* validator = new NumberValidator(max, box);
    box->setValidator(validator);
    QLineEdit* edit = box->lineEdit();
    QObject::connect(edit, &QLineEdit::textEdited, box, [box, validator, reason](QString text) {
        int pos = 0;
        const bool tooLarge =
            !text.trimmed().isEmpty() && validator->validate(text, pos) != QValidator::Acceptable;
        markEntry(box, tooLarge ? reason : QString());
    });
    // editingFinished comes only for an acceptable text: "5" is then shown as the "05" it stands for.
    QObject::connect(edit, &QLineEdit::editingFinished, box, [box] {
        const QString shown =
            QStringLiteral("%1").arg(box->currentText().trimmed().toInt(), 2, 10, QLatin1Char('0'));
        const int item = box->findText(shown, Qt::MatchExactly);
        box->setCurrentIndex(item);
        box->setEditText(shown);
    });
}

DateBox::DateBox(QWidget* parent) : QDateEdit(parent) {
    // Set here rather than taken from the locale, whose short form may have a two-digit year.
    setDisplayFormat(format());
    // The whole range of the program's date-time, so a stored date is shown as it is, not clamped.
    setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    setCalendarPopup(true);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { markEntry(this, QString()); });
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (isDateSeparator(text)) {
        if (std::exchange(movedByItself_, false)) {
            event->accept();
            return;
        }
        // "-", "." and the others count as the box's own separator.
        if (text != u"/") {
            QKeyEvent slash(event->type(), Qt::Key_Slash, event->modifiers(), QStringLiteral("/"));
            typeKey(&slash);
            return;
        }
    }
    // Typing over the whole date (select all, or a selection across sections) starts with the year.
    if (isDigit(text) && lineEdit()->selectedText().contains(u'/')) {
        setCurrentSection(YearSection);
        setSelectedSection(YearSection);
    }
    typeKey(event);
}

void DateBox::typeKey(QKeyEvent* event) {
    const Section before = currentSection();
    QDateEdit::keyPressEvent(event);
    movedByItself_ = isDigit(event->text()) && currentSection() != before;
}

void DateBox::focusOutEvent(QFocusEvent* event) {
    // Left with a text that is no date, the box would quietly go back to its last date: the user is
    // shown that the entry was not taken.
    QString text = lineEdit()->text();
    int pos = 0;
    const bool refused = validate(text, pos) != QValidator::Acceptable;
    movedByItself_ = false;
    QDateEdit::focusOutEvent(event);
    if (refused)
        markEntry(this, QStringLiteral("这不是一个日期，已恢复为 ") + lineEdit()->text());
}

void markEntry(QWidget* box, const QString& reason) {
    const bool mark = !reason.isEmpty();
    if (box->property("refusedEntry").toBool() == mark && box->toolTip() == reason)
        return;
    box->setProperty("refusedEntry", mark);
    box->setToolTip(reason);
    // A style sheet of the box's own, on top of the skin's.
    box->setStyleSheet(mark ? QStringLiteral("border: 1px solid #d0312d;") : QString());
}

bool isMarked(const QWidget* box) {
    return box->property("refusedEntry").toBool();
}

} // namespace orvane
