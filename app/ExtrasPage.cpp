// The "扩展功能" page's buttons at their places and the web shortcuts behind them.
#include "app/ExtrasPage.h"

#include "net/FinanceWindow.h"
#include "net/NewsWindow.h"
#include "platform/Clock.h"

#include <QPushButton>

namespace orvane {

ExtrasPage::ExtrasPage(QWidget* page, WebShortcuts sites, const Clock& clock, BrowserWindows& browsers,
                       ModalRunner run)
    : QObject(page), page_(page), sites_(std::move(sites)), clock_(clock), browsers_(browsers),
      run_(std::move(run)) {
    connect(addButton(1, "网络校时", 8, 40), &QPushButton::clicked, this,
            &ExtrasPage::calibrateTimeRequested);
    connect(addButton(3, "生辰八字", 98, 40), &QPushButton::clicked, this, &ExtrasPage::lunarLookupRequested);
    connect(addButton(4, "万年历", 188, 40), &QPushButton::clicked, this,
            [this] { openPage(sites_.perpetualCalendar); });
    connect(addButton(5, "天气预报", 278, 40), &QPushButton::clicked, this, &ExtrasPage::OpenWeatherWindow);
    connect(addButton(2, "历史上的今天", 8, 74), &QPushButton::clicked, this,
            &ExtrasPage::OpenTodayInHistory);
    connect(addButton(6, "十二时辰表", 98, 74), &QPushButton::clicked, this, &ExtrasPage::hourTableRequested);
    connect(addButton(7, "天干地支表", 188, 74), &QPushButton::clicked, this,
            &ExtrasPage::stemBranchTableRequested);
    connect(addButton(8, "星座日期", 278, 73), &QPushButton::clicked, this,
            &ExtrasPage::zodiacTableRequested);
    connect(addButton(12, "新闻阅读", 8, 108), &QPushButton::clicked, this, &ExtrasPage::OpenNewsWindow);
    connect(addButton(11, "股票外汇", 98, 108), &QPushButton::clicked, this, &ExtrasPage::OpenFinanceWindow);
    connect(addButton(10, "在线电视", 188, 108), &QPushButton::clicked, this,
            [this] { openPage(sites_.onlineTv); });
    connect(addButton(9, "网速测试", 278, 106), &QPushButton::clicked, this,
            [this] { openPage(sites_.speedTest); });
    // Both lookups show the same site: it answers for IP addresses and mobile numbers alike.
    connect(addButton(16, "IP地址归属", 8, 144), &QPushButton::clicked, this,
            [this] { openPage(sites_.numberLocation); });
    connect(addButton(15, "手机号归属", 98, 144), &QPushButton::clicked, this,
            [this] { openPage(sites_.numberLocation); });
    connect(addButton(14, "日期计算", 188, 144), &QPushButton::clicked, this,
            &ExtrasPage::dateCalculatorRequested);
}

QPushButton* ExtrasPage::addButton(int number, const char* caption, int left, int top) {
    auto* button = new QPushButton(QString::fromUtf8(caption), page_);
    button->setObjectName(QStringLiteral("按钮") + QString::number(number));
    button->setGeometry(left, top, 83, 28);
    return button;
}

QPushButton* ExtrasPage::button(int number) const {
    return page_->findChild<QPushButton*>(QStringLiteral("按钮") + QString::number(number),
                                          Qt::FindDirectChildrenOnly);
}

void ExtrasPage::openPage(const QByteArray& address) {
    OpenInBrowserWindow(address, page_->window(), browsers_);
}

void ExtrasPage::OpenTodayInHistory() {
    openPage(todayInHistoryAddress(sites_.todayInHistory, clock_.now().date()));
}

void ExtrasPage::OpenWeatherWindow() {
    browsers_.open(browserProtocol::PageKind::WeatherWindow, sites_.weatherWidget, page_->window());
}

void ExtrasPage::OpenNewsWindow() {
    run_(new NewsWindow(sites_, browsers_, page_->window()));
}

void ExtrasPage::OpenFinanceWindow() {
    run_(new FinanceWindow(sites_, browsers_, page_->window()));
}

} // namespace orvane
