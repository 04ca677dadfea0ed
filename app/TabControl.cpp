// Tab row over a stack of full-size pages.
#include "app/TabControl.h"

#include <QFrame>
#include <QStackedWidget>
#include <QTabBar>

namespace orvane {

TabControl::TabControl(QWidget* parent)
    : QWidget(parent), bar_(new QTabBar(this)), pane_(new QFrame(this)), stack_(new QStackedWidget(this)) {
    static_cast<QFrame*>(pane_)->setFrameShape(QFrame::StyledPanel);
    pane_->setObjectName(QStringLiteral("tabPane"));
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    stack_->setAttribute(Qt::WA_TranslucentBackground);
    connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
        stack_->setCurrentIndex(index);
        emit currentChanged(index);
    });
    bar_->raise();
    // The skin's font before the first tab is measured, not the default one and then the skin's again
    // when first shown.
    bar_->ensurePolished();
}

QWidget* TabControl::addPage(const QString& title) {
    auto* page = new QWidget;
    page->setObjectName(title);
    stack_->addWidget(page);
    bar_->addTab(title);
    return page;
}

QWidget* TabControl::page(int index) const {
    return stack_->widget(index);
}

int TabControl::count() const {
    return stack_->count();
}

int TabControl::currentIndex() const {
    return bar_->currentIndex();
}

void TabControl::setCurrentIndex(int index) {
    bar_->setCurrentIndex(index);
}

void TabControl::resizeEvent(QResizeEvent*) {
    const int barHeight = bar_->sizeHint().height();
    bar_->setGeometry(2, 0, width() - 4, barHeight);
    pane_->setGeometry(0, barHeight - 1, width(), height() - barHeight + 1);
    stack_->setGeometry(0, 0, width(), height());
    pane_->lower();
}

} // namespace orvane
