// Every web address the program uses, in one place.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvane::web {

// The product's home page: the about page's link and the recommendation text.
inline QString productSite() {
    return QStringLiteral("https://orvane-clock.github.io/");
}

// The time page read by the network time calibration: it writes the date through
// document.write('20…') and the time of day in the script variables hrs, min and sec.
inline QByteArray timeServicePage() {
    return QByteArrayLiteral("http://orvane-clock.github.io/stime.asp");
}

// The product's feedback form.
inline QByteArray feedbackPage() {
    return QByteArrayLiteral("http://orvane-clock.github.io/Orvane/time/add.asp");
}

// ---- Web shortcuts and browser windows: the pages shown inside the program's browser windows. ----

// A perpetual calendar (按钮4 "万年历").
inline QByteArray perpetualCalendarPage() {
    return QByteArrayLiteral("https://wannianli.tianqi.com/");
}

// The today-in-history page: it lists the events of the day it is opened. The program appends
// "?key=<month>月<day>日" in GBK (按钮2), which this page does not need and ignores.
inline QByteArray todayInHistoryPage() {
    return QByteArrayLiteral("https://baike.baidu.com/calendar/");
}

// The weather site's forecast widget page, shown by WeatherWindow (按钮5 "天气预报").
inline QByteArray weatherWidgetPage() {
    return QByteArrayLiteral("http://www.weather.com.cn/static/custom/custom.html");
}

// A one-line weather strip for the main window's weather panel (412x77).
inline QByteArray weatherForecastPage() {
    return QByteArrayLiteral("https://i.tianqi.com/?c=code&id=12");
}

// A directory of live TV channels (按钮10 "在线电视").
inline QByteArray onlineTvPage() {
    return QByteArrayLiteral("https://tv.cctv.com/live/");
}

// A broadband speed test (按钮9 "网速测试").
inline QByteArray speedTestPage() {
    return QByteArrayLiteral("https://www.speedtest.cn/");
}

// One lookup site for IP-address and mobile-number locations (按钮16 and 按钮15).
inline QByteArray numberLocationPage() {
    return QByteArrayLiteral("https://www.ip138.com/");
}

// The sites of the news window, 按钮1 to 按钮15: 百度资讯, 谷歌资讯, 中华军事, 凤凰网, 新华网, 人民网,
// 联合早报, 南方周末, 天涯杂谈, 网易贴图, 质检报告, 腾讯, 搜狐, 政府网, 汽车之家.
inline constexpr const char* newsSitePages[] = {
    "https://news.baidu.com/",
    // A search engine's news aggregation that mainland users can reach (the one the caption names is
    // blocked there).
    "https://cn.bing.com/news/",
    "https://military.china.com/",
    "https://www.ifeng.com/",
    "http://www.news.cn/",
    "http://www.people.com.cn/",
    "https://www.zaobao.com/",
    "https://www.infzm.com/",
    // The open discussion board it names closed in 2023; the largest general forum in its place.
    "https://tieba.baidu.com/",
    "https://news.163.com/photo/",
    "https://www.samr.gov.cn/zljds/",
    "https://www.qq.com/",
    "https://www.sohu.com/",
    "https://www.gov.cn/",
    "https://www.autohome.com.cn/",
};

// The sites of the finance window by button number, 按钮1 to 按钮8: 和讯股票, 东方财富, 证券之星,
// 中国证券, 外汇牌价, 金融界, 中金在线, 金融之星.
inline constexpr const char* financeSitePages[] = {
    "https://stock.hexun.com/", "https://www.eastmoney.com/",        "https://www.stockstar.com/",
    "https://www.cs.com.cn/",   "https://www.boc.cn/sourcedb/whpj/", "https://www.jrj.com.cn/",
    "https://www.cnfol.com/",   "https://finance.sina.com.cn/",
};

// The lunar-calendar service's search page; empty: the built-in service answers the lookup.
inline QByteArray lunarService() {
    return QByteArray();
}

} // namespace orvane::web
