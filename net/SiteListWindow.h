// What NewsWindow and FinanceWindow share: site buttons that open WebBrowserWindow, a divider, "关闭".
#pragma once

#include "net/OpenInBrowserWindow.h"

#include <QDialog>

class QPushButton;

namespace orvane {

class SiteListWindow : public QDialog {
    Q_OBJECT
public:
    SiteListWindow(const char* objectName, const QString& caption, QRect place, BrowserWindows& browsers,
                   QWidget* parent);

protected:
    // A button that opens WebBrowserWindow on `address` over this window.
    QPushButton* addSite(int number, const char* caption, QPoint at, const QByteArray& address);
    void addDivider(int top);
    void addCloseButton(int number, QRect place);

private:
    BrowserWindows& browsers_;
};

} // namespace orvane
