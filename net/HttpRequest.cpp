// One HTTP exchange: the request built from the caller's values (defaults completed in order), handed
// to an HttpTransfer that answers once and is then deleted.
#include "net/HttpRequest.h"

#include "common/GbkText.h"
#include "net/HttpTransfer.h"
#include "net/Url.h"

#include <QPointer>

namespace orvane {

namespace {

constexpr char Agent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr int TimeoutMs = 18000;
constexpr int HeaderBufferBytes = 1024;
constexpr char DefaultAccept[] =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";

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

// Bytes curl would refuse in an address (blanks, controls, non-ASCII) go out percent-encoded.
QByteArray escapeObject(const QByteArray& object) {
    QByteArray out;
    for (const char c : object) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7f)
            out += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
        else
            out += c;
    }
    return out;
}

// "http://host:port/object" for curl; empty when the address names no host or a port beyond TCP's.
QByteArray curlUrl(const QByteArray& url) {
    const QByteArray host = UrlHost(url);
    const int port = UrlPort(url);
    if (host.isEmpty() || port < 0 || port > 65535)
        return {};
    return "http://" + host + ':' + QByteArray::number(port == 0 ? 80 : port) + escapeObject(UrlPath(url));
}

// Runs `x`, hands its answer to `report`, and deletes it afterwards.
void run(HttpExchange x, QObject* owner,
         std::function<void(const QByteArray& body, const QByteArray& headers, bool completed)> report) {
    x.agent = Agent;
    x.reload = true;
    x.connectTimeoutMs = x.stallTimeoutMs = TimeoutMs;
    auto* transfer = new HttpTransfer(std::move(x), owner);
    QObject::connect(transfer, &HttpTransfer::finished, transfer,
                     [transfer, report = std::move(report)](const QByteArray& body, const QByteArray& headers,
                                                            bool completed) {
                         transfer->deleteLater();
                         report(body, headers, completed);
                     });
    transfer->start();
}

} // namespace

void HttpRequest(QObject* owner, const QByteArray& url, HttpCallback done, QByteArray* method,
                 const std::optional<QByteArray>& proxy, QByteArray* headers, const QByteArray& postData) {
    HttpExchange x;
    x.url = curlUrl(url);
    if (proxy) {
        const QByteArray server = proxy->trimmed();
        x.proxy = server.isEmpty() || server.startsWith("http://") ? server : "http://" + server;
        if (server.isEmpty())
            x.url.clear(); // a proxy that names no server fails the request
    }
    if (!x.url.isEmpty()) { // a request that is never made leaves the caller's values alone
        QByteArray ownMethod, ownHeaders;
        QByteArray& verb = method ? *method : ownMethod;
        QByteArray& lines = headers ? *headers : ownHeaders;
        if (gbk::asciiUpper(verb) != "POST")
            verb = "GET";
        completeHeaders(lines, url, verb, postData);
        x.verb = verb;
        x.headers = lines;
        x.body = verb == "GET" ? QByteArray() : postData;
    }
    run(std::move(x), owner, [done = std::move(done)](const QByteArray& body, const QByteArray& raw, bool) {
        done(gbk::cutAtZero(body),
             raw.isEmpty() || raw.size() >= HeaderBufferBytes ? QByteArray(HeaderBufferBytes, ' ') : raw);
    });
}

void FetchPage(const QByteArray& url, PageCallback done, QObject* owner) {
    HttpExchange x;
    x.url = curlUrl(url);
    x.http10 = true;
    x.headers = "Accept: */*\r\n";
    run(std::move(x), owner,
        [done = std::move(done)](const QByteArray& body, const QByteArray&, bool completed) {
            done(completed ? gbk::cutAtZero(body) : QByteArray());
        });
}

PageFetch pageFetcher(QObject* owner) {
    return [guard = QPointer<QObject>(owner), owned = owner != nullptr](const PageRequest& request,
                                                                        PageCallback done) {
        if (owned && !guard)
            return; // the owner is gone: its requests are no longer wanted
        if (request.postData.isEmpty()) {
            FetchPage(request.url, std::move(done), guard.data());
            return;
        }
        QByteArray method = "POST";
        HttpRequest(
            guard.data(), request.url,
            [done = std::move(done)](const QByteArray& page, const QByteArray&) { done(page); }, &method,
            std::nullopt, nullptr, request.postData);
    };
}

} // namespace orvane
