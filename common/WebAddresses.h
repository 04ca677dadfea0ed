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

// The lunar-calendar service's search page; empty: the built-in service answers the lookup.
inline QByteArray lunarService() {
    return QByteArray();
}

} // namespace orvane::web
