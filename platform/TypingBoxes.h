// Boxes that keep what people type: a number box that takes "5" as 05 and never completes it into
// another item, a date box whose typed "/" never skips a section, and a mark for a refused entry.
#pragma once

#include <QDateEdit>
#include <QValidator>

class QComboBox;

namespace orvane {

// One or two digits from 0 to `max`, blanks around them ignored. Letters and a third digit are refused
// as typed; a number above `max` stays in the box (Intermediate) so that the box can be marked.
class NumberValidator : public QValidator {
    Q_OBJECT
public:
    NumberValidator(int max, QObject* parent) : QValidator(parent), max_(max) {}
    State validate(QString& input, int& pos) const override;

private:
    int max_;
};

// An editable box of the items "00" … max: no completion from the items (which turned "5" into "50"),
// a typed number shown with two digits once typing ends, one above max marked with `reason` at once.
void makeNumberBox(QComboBox* box, int max, const QString& reason);

// The date picker with the forms people type: "2025/10/6", "2025-10-06", "20251006", section by
// section with or without "/". The box moves on by itself after a full section; a "/" typed right after
// that move is the one the user meant for it, not a second move.
class DateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);
    // The format the box shows and reads: "2025/10/6".
    static QString format() { return QStringLiteral("yyyy/M/d"); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void typeKey(QKeyEvent* event);
    bool movedByItself_ = false;
};

// Marks a box whose entry was refused (a red frame and the reason as its tooltip), or clears the mark
// when `reason` is empty.
void markEntry(QWidget* box, const QString& reason);
bool isMarked(const QWidget* box);

} // namespace orvane
