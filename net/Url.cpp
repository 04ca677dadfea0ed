// Splitting a web address into host, port and path, byte by byte as the request line needs them.
#include "net/Url.h"

#include "common/GbkText.h"
#include "common/NumberText.h"

#include <QString>

#include <algorithm>
#include <limits>

namespace orvane {

namespace {

bool hasScheme(const QByteArray& url) {
    return gbk::asciiLower(url.left(7)) == "http://";
}

// The host part with any ":port", as written in the address.
QByteArray hostPart(const QByteArray& url) {
    if (hasScheme(url)) {
        const qsizetype p = gbk::find(url, "/", 8);
        return p < 0 ? url.mid(7) : gbk::mid(url, 8, p - 8);
    }
    const qsizetype p = gbk::find(url, "/", 1);
    return p < 0 ? url : gbk::left(url, p - 1);
}

} // namespace

QByteArray UrlHost(const QByteArray& url) {
    QByteArray host = hostPart(url);
    const qsizetype colon = gbk::find(host, ":", 1);
    if (colon > 0)
        host = gbk::left(host, colon - 1);
    return gbk::asciiLower(host);
}

int UrlPort(const QByteArray& url) {
    const QByteArray host = hostPart(url);
    const qsizetype colon = gbk::find(host, ":", 1);
    const QByteArray portText = colon > 0 ? host.mid(colon) : QByteArrayLiteral("80");
    const qint64 port = truncToInt(readNumber(QString::fromLatin1(portText)));
    // A 32-bit value: anything beyond is cut to the nearest limit rather than wrapped.
    return int(std::clamp<qint64>(port, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

QByteArray UrlPath(const QByteArray& url) {
    const QByteArray host = UrlHost(url);
    // The host's place, found regardless of case and after the scheme: a host such as "h" or "tp"
    // would otherwise be found inside "http://" and the path would start at its "//".
    const qsizetype from = hasScheme(url) ? 8 : 1;
    const qsizetype found = host.isEmpty() ? from : gbk::find(gbk::asciiLower(url), host, from);
    const qsizetype d = gbk::find(url, "/", found > 0 ? found : 1);
    return d < 0 ? QByteArrayLiteral("/") : url.mid(d - 1);
}

} // namespace orvane
