// The lunar-date lookup window: three drop-down lists of year, month and day, and the seven result lines.
#pragma once

#include "common/PageFetch.h"

#include <QByteArray>
#include <QWidget>

#include <functional>

class QComboBox;
class QPlainTextEdit;

namespace orvane {

class Clock;

class LunarLookupWindow : public QWidget {
public:
    // Fills the lists from clock.now() and runs the first lookup. Each lookup posts its form to the
    // service at `address` through `fetch`, which may answer inside the call or later; another lookup may
    // start before it answers.
    LunarLookupWindow(const Clock& clock, PageFetch fetch, QByteArray address, QWidget* parent = nullptr);

    // Posts the date shown and writes its seven lines into 编辑框1 when the answer comes.
    void LunarLookup();
    // The text of 编辑框1 with its CR LF line ends.
    QString resultText() const { return result_; }

private:
    PageFetch fetch_;
    QByteArray address_;
    QComboBox* years_ = nullptr;
    QComboBox* months_ = nullptr;
    QComboBox* days_ = nullptr;
    QPlainTextEdit* box_ = nullptr;
    QString result_;
    quint64 lookups_ = 0; // numbers the lookups: an answer arriving after a newer choice is dropped
};

} // namespace orvane
