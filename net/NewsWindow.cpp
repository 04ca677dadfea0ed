// The news window: buttons 1 to 15 fill three rows of five, row by row, left to right.
#include "net/NewsWindow.h"

#include "net/WebShortcuts.h"

namespace orvane {

NewsWindow::NewsWindow(const WebShortcuts& sites, BrowserWindows& browsers, QWidget* parent)
    : SiteListWindow("NewsWindow", QStringLiteral(" 新闻阅读大全"), {50, 50, 519, 235}, browsers, parent) {
    static const char* const captions[15] = {"百度资讯", "谷歌资讯", "中华军事", "凤凰网",   "新华网",
                                             "人民网",   "联合早报", "南方周末", "天涯杂谈", "网易贴图",
                                             "质检报告", "腾讯",     "搜狐",     "政府网",   "汽车之家"};
    static const int lefts[5] = {16, 114, 212, 310, 408};
    static const int tops[3] = {8, 50, 92};
    for (int i = 0; i < 15; ++i)
        addSite(i + 1, captions[i], {lefts[i % 5], tops[i / 5]}, sites.news.value(i));
    addDivider(140);
    addCloseButton(17, {408, 155, 80, 32});
}

} // namespace orvane
