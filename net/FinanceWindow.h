// FinanceWindow " 股票外汇": eight finance sites, each shown in WebBrowserWindow.
#pragma once

#include "net/SiteListWindow.h"

namespace orvane {

struct WebShortcuts;

class FinanceWindow : public SiteListWindow {
    Q_OBJECT
public:
    FinanceWindow(const WebShortcuts& sites, BrowserWindows& browsers, QWidget* parent = nullptr);
};

} // namespace orvane
