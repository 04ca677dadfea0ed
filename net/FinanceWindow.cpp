// The finance window: buttons 1, 2, 3, 4 in the first row and 8, 7, 6, 5 in the second, left to right.
#include "net/FinanceWindow.h"

#include "net/WebShortcuts.h"

namespace orvane {

FinanceWindow::FinanceWindow(const WebShortcuts& sites, BrowserWindows& browsers, QWidget* parent)
    : SiteListWindow("FinanceWindow", QStringLiteral(" 股票外汇"), {50, 50, 383, 182}, browsers, parent) {
    static const char* const captions[8] = {"和讯股票", "东方财富", "证券之星", "中国证券",
                                            "外汇牌价", "金融界",   "中金在线", "金融之星"};
    // Four columns 90 apart, the last one above "关闭" as in the news window; the second row runs
    // backwards through the numbers.
    static const int lefts[4] = {10, 100, 190, 280};
    for (int column = 0; column < 4; ++column) {
        const int top = column + 1, bottom = 8 - column;
        addSite(top, captions[top - 1], {lefts[column], 13}, sites.finance.value(top - 1));
        addSite(bottom, captions[bottom - 1], {lefts[column], 55}, sites.finance.value(bottom - 1));
    }
    addDivider(96);
    addCloseButton(9, {280, 104, 80, 32});
}

} // namespace orvane
