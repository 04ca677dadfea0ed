// NewsWindow " 新闻阅读大全": fifteen news sites, each shown in WebBrowserWindow.
#pragma once

#include "net/SiteListWindow.h"

namespace orvane {

struct WebShortcuts;

class NewsWindow : public SiteListWindow {
    Q_OBJECT
public:
    NewsWindow(const WebShortcuts& sites, BrowserWindows& browsers, QWidget* parent = nullptr);
};

} // namespace orvane
