// The pages of the web shortcuts, the today-in-history address, GBK addresses as URLs.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QUrl>

namespace orvane {

// Every page a shortcut shows, as GBK address bytes. The program uses standard(); tests put loopback
// pages in their place.
struct WebShortcuts {
    QByteArray perpetualCalendar; // 按钮4 万年历
    QByteArray todayInHistory;    // 按钮2: the page before "?key=…"
    QByteArray weatherWidget;     // WeatherWindow
    QByteArray weatherForecast;   // the main window's weather panel
    QByteArray onlineTv;          // 按钮10 在线电视
    QByteArray speedTest;         // 按钮9 网速测试
    QByteArray numberLocation;    // 按钮16 IP地址归属 and 按钮15 手机号归属
    QList<QByteArray> news;       // NewsWindow 按钮1 … 按钮15
    QList<QByteArray> finance;    // FinanceWindow 按钮1 … 按钮8, by button number

    static WebShortcuts standard();
};

// The today-in-history page for `date`: page + "?key=" + month + "月" + day + "日", numbers without
// leading zeros, the two characters as GBK bytes (the service reads its key as GBK).
QByteArray todayInHistoryAddress(const QByteArray& page, QDate date);

// The URL for GBK address bytes. QUrl holds Unicode and would send "月" as its UTF-8 bytes (%E6%9C%88);
// so every byte outside printable ASCII is percent-encoded here first and the URL is made from those
// encoded bytes, which QUrl keeps as they are: "月" goes on the wire as %D4%C2.
QUrl webUrl(const QByteArray& address);

} // namespace orvane
