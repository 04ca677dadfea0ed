// One HTTP exchange through the internet layer: defaults completed in order, body read in 512-byte
// chunks with events processed before each, every handle closed on every path.
#include "net/HttpRequest.h"

#include "common/GbkText.h"
#include "net/InternetLayer.h"
#include "net/Url.h"

#include <QCoreApplication>

namespace orvane {

namespace {

constexpr char Agent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr std::uint32_t TimeoutMs = 18000;
constexpr int ChunkBytes = 512;
constexpr int HeaderBufferBytes = 1024;
constexpr char DefaultAccept[] =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";

void pumpEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void closeAll(std::initializer_list<inet::Handle> handles) {
    for (inet::Handle h : handles)
        inet::InternetCloseHandle(h);
}

void completeHeaders(QByteArray& headers, const QByteArray& url, const QByteArray& method,
                     const QByteArray& postData) {
    if (!gbk::containsNoCase(headers, "Accept: "))
        headers += DefaultAccept;
    if (!gbk::containsNoCase(headers, "Referer: "))
        headers += "Referer: " + url + "\r\n";
    if (!gbk::containsNoCase(headers, "Accept-Language: "))
        headers += "Accept-Language: zh-cn\r\n";
    if (method != "GET" && !postData.isEmpty()) {
        headers += "Content-Type: application/x-www-form-urlencoded\r\n";
        headers += "Content-Length: " + QByteArray::number(postData.size()) + "\r\n";
    }
}

// Reads until a read delivers nothing, processing events before every chunk.
QByteArray readBody(inet::Handle request) {
    QByteArray body;
    int count = 1;
    while (count > 0) {
        char chunk[ChunkBytes] = {};
        pumpEvents();
        if (!inet::InternetReadFile(request, chunk, ChunkBytes, &count))
            break;
        body.append(chunk, count);
    }
    return body;
}

} // namespace

QByteArray HttpRequest(const QByteArray& url, QByteArray* method, const std::optional<QByteArray>& proxy,
                       QByteArray* headers, const QByteArray& postData, QByteArray* responseHeaders) {
    QByteArray ownMethod, ownHeaders;
    QByteArray& verb = method ? *method : ownMethod;
    QByteArray& lines = headers ? *headers : ownHeaders;

    const inet::Handle root = proxy ? inet::InternetOpen(Agent, inet::OpenTypeProxy, "http=" + *proxy, "", 0)
                                    : inet::InternetOpen(Agent, inet::OpenTypeDirect, "", "", 0);
    if (!root)
        return {};
    const inet::Handle connection =
        inet::InternetConnect(root, UrlHost(url), UrlPort(url), "", "", inet::ServiceHttp, 0, 0);
    if (!connection) {
        closeAll({root});
        return {};
    }
    if (gbk::asciiUpper(verb) != "POST")
        verb = "GET";
    const inet::Handle request =
        inet::HttpOpenRequest(connection, verb, UrlPath(url), "HTTP/1.1", {}, {}, inet::FlagReload, 0);
    if (!request) {
        closeAll({root, connection});
        return {};
    }
    for (int option : {inet::OptionConnectTimeout, inet::OptionReceiveTimeout, inet::OptionSendTimeout})
        inet::InternetSetOption(request, option, TimeoutMs);

    completeHeaders(lines, url, verb, postData);
    inet::HttpSendRequest(request, lines, verb == "GET" ? QByteArray() : postData);
    const QByteArray body = readBody(request);

    if (responseHeaders) {
        QByteArray buffer(HeaderBufferBytes, ' ');
        int length = HeaderBufferBytes;
        inet::HttpQueryInfo(request, inet::QueryRawHeadersCrlf, buffer.data(), &length);
        *responseHeaders = gbk::cutAtZero(buffer);
    }
    closeAll({root, connection, request});
    return gbk::cutAtZero(body);
}

QByteArray FetchPage(const QByteArray& url) {
    const inet::Handle root = inet::InternetOpen(Agent, inet::OpenTypeDirect, "", "", 0);
    if (!root)
        return {};
    const inet::Handle connection =
        inet::InternetConnect(root, UrlHost(url), UrlPort(url), "", "", inet::ServiceHttp, 0, 0);
    const inet::Handle request = connection
                                     ? inet::HttpOpenRequest(connection, "GET", UrlPath(url), "HTTP/1.0", {},
                                                             {}, inet::FlagReload | inet::FlagNoCacheWrite, 0)
                                     : nullptr;
    QByteArray body;
    if (request && inet::HttpSendRequest(request, "Accept: */*\r\n", {}))
        body = readBody(request);
    closeAll({request, connection, root});
    return body;
}

} // namespace orvane
