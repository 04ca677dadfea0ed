// The shortcut pages from the address list, the today-in-history key in GBK, and GBK addresses as URLs.
#include "net/WebShortcuts.h"

#include "common/GbkText.h"
#include "common/WebAddresses.h"

namespace orvane {

WebShortcuts WebShortcuts::standard() {
    WebShortcuts s;
    s.perpetualCalendar = web::perpetualCalendarPage();
    s.todayInHistory = web::todayInHistoryPage();
    s.weatherWidget = web::weatherWidgetPage();
    s.weatherForecast = web::weatherForecastPage();
    s.onlineTv = web::onlineTvPage();
    s.speedTest = web::speedTestPage();
    s.numberLocation = web::numberLocationPage();
    for (const char* page : web::newsSitePages)
        s.news.append(QByteArray(page));
    for (const char* page : web::financeSitePages)
        s.finance.append(QByteArray(page));
    return s;
}

QByteArray todayInHistoryAddress(const QByteArray& page, QDate date) {
    return page + "?key=" + QByteArray::number(date.month()) + gbk::encode(QStringLiteral("月")) +
           QByteArray::number(date.day()) + gbk::encode(QStringLiteral("日"));
}

QUrl webUrl(const QByteArray& address) {
    QByteArray encoded;
    encoded.reserve(address.size());
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7f) {
            encoded.append(c);
        } else {
            encoded.append('%');
            encoded.append(QByteArray::number(byte, 16).rightJustified(2, '0').toUpper());
        }
    }
    return QUrl::fromEncoded(encoded);
}

} // namespace orvane
