// The "扩展功能" page: fifteen buttons; the web shortcuts act here, the other features through signals.
#pragma once

#include "net/OpenInBrowserWindow.h"
#include "net/WebShortcuts.h"

#include <QObject>

class QPushButton;
class QWidget;

namespace orvane {

class Clock;

// Places its buttons on the given page and handles them; owned by that page.
class ExtrasPage : public QObject {
    Q_OBJECT
public:
    // `browsers` opens the browser windows; `run` runs the news and finance windows (the program waits in
    // exec(); tests only show them).
    ExtrasPage(QWidget* page, WebShortcuts sites, const Clock& clock, BrowserWindows& browsers,
               ModalRunner run = execModal());

    void OpenTodayInHistory(); // 按钮2: the today-in-history page for the clock's date
    void OpenWeatherWindow();  // 按钮5
    void OpenNewsWindow();     // 按钮12
    void OpenFinanceWindow();  // 按钮11
    QPushButton* button(int number) const;

signals:
    // The buttons of features that live elsewhere; the main window connects them.
    void calibrateTimeRequested();   // 按钮1 网络校时
    void lunarLookupRequested();     // 按钮3 生辰八字
    void hourTableRequested();       // 按钮6 十二时辰表
    void stemBranchTableRequested(); // 按钮7 天干地支表
    void zodiacTableRequested();     // 按钮8 星座日期
    void dateCalculatorRequested();  // 按钮14 日期计算

private:
    QPushButton* addButton(int number, const char* caption, int left, int top);
    void openPage(const QByteArray& address);

    QWidget* page_;
    WebShortcuts sites_;
    const Clock& clock_;
    BrowserWindows& browsers_;
    ModalRunner run_;
};

} // namespace orvane
