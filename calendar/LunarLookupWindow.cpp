// The lunar lookup window: lists filled from today, a lookup on opening and on every choice.
#include "calendar/LunarLookupWindow.h"

#include "calendar/LunarExchange.h"
#include "platform/Clock.h"
#include "platform/WindowCaption.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>

namespace orvane {

namespace {

QComboBox* makeList(QWidget* parent, const QString& name, const QRect& geometry, int from, int to,
                    int current) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    for (int v = from; v <= to; ++v)
        box->addItem(QString::number(v));
    box->setCurrentIndex(current >= from && current <= to ? current - from : -1);
    return box;
}

void addLabel(QWidget* parent, const QString& text, int left) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(left, 8, 20, 20);
}

} // namespace

LunarLookupWindow::LunarLookupWindow(const Clock& clock, PageFetch fetch, QByteArray address, QWidget* parent)
    : QWidget(parent, Qt::Window), fetch_(std::move(fetch)), address_(std::move(address)) {
    showNoCaption(this);
    setGeometry(50, 50, 282, 300);
    const QDate today = clock.now().date();
    years_ = makeList(this, QStringLiteral("组合框_年"), QRect(17, 8, 67, 20), 1920, 2049, today.year());
    addLabel(this, QStringLiteral("年"), 87);
    months_ = makeList(this, QStringLiteral("组合框_月"), QRect(117, 8, 48, 20), 1, 12, today.month());
    addLabel(this, QStringLiteral("月"), 165);
    // Filled once for the current month, whatever month is chosen later.
    days_ = makeList(this, QStringLiteral("组合框_日"), QRect(194, 8, 48, 20), 1, today.daysInMonth(),
                     today.day());
    addLabel(this, QStringLiteral("日"), 242);
    box_ = new QPlainTextEdit(this);
    box_->setObjectName(QStringLiteral("编辑框1"));
    box_->setGeometry(16, 48, 240, 208);
    box_->setReadOnly(true);
    for (QComboBox* list : {years_, months_, days_})
        connect(list, &QComboBox::activated, this, &LunarLookupWindow::LunarLookup);
    LunarLookup();
}

void LunarLookupWindow::LunarLookup() {
    const quint64 mine = ++lookups_;
    const QByteArray body =
        lunarFormBody(years_->currentText(), months_->currentText(), days_->currentText());
    result_.clear();
    box_->clear();
    fetch_({address_, body}, [alive = QPointer<LunarLookupWindow>(this), mine](const QByteArray& page) {
        if (!alive || mine != alive->lookups_) // closed, or a later choice owns the box now
            return;
        alive->result_ = lunarResultText(page);
        alive->box_->setPlainText(
            QString(alive->result_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    });
}

} // namespace orvane
