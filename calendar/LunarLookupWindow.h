// The lunar-date lookup window: three drop-down lists of year, month and day, and the seven result lines.
#pragma once

#include <QByteArray>
#include <QWidget>

#include <functional>

class QComboBox;
class QPlainTextEdit;

namespace orvane {

class Clock;

// Posts a form body to the lunar service and returns its answer page (empty when the request fails).
// It may let events run while it waits, so a new lookup can start inside it.
using LunarPost = std::function<QByteArray(const QByteArray& body)>;

class LunarLookupWindow : public QWidget {
public:
    // Fills the lists from clock.now() and runs the first lookup.
    LunarLookupWindow(const Clock& clock, LunarPost post, QWidget* parent = nullptr);

    // Posts the date shown and writes its seven lines into 编辑框1.
    void LunarLookup();
    // The text of 编辑框1 with its CR LF line ends.
    QString resultText() const { return result_; }

private:
    LunarPost post_;
    QComboBox* years_ = nullptr;
    QComboBox* months_ = nullptr;
    QComboBox* days_ = nullptr;
    QPlainTextEdit* box_ = nullptr;
    QString result_;
    quint64 lookups_ = 0; // numbers the lookups: an answer arriving after a newer choice is dropped
};

// The post the program uses: the configured service address through HttpRequest, or, when no address
// is configured, the built-in service with today from `clock`.
LunarPost lunarPost(const QByteArray& serviceAddress, const Clock& clock);

// The button "生辰八字": a new lookup window, not modal, deleted when closed; `clock` must outlive it.
LunarLookupWindow* openLunarLookup(const Clock& clock, QWidget* parent = nullptr);

} // namespace orvane
