// One HTTP exchange over libcurl's multi-socket interface, driven by the event loop: no call waits.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

#include <memory>

namespace orvane {

// What an exchange sends, as plain values.
struct HttpExchange {
    QByteArray url;          // absolute "http://…" (a redirect may lead on to https)
    QByteArray verb = "GET"; // sent as written; "POST" in any case carries `body`
    bool http10 = false;
    QByteArray agent;
    QByteArray proxy;    // "http://host:port"; empty goes direct, whatever the environment says
    QByteArray headers;  // CR LF lines, sent in their order after Host and User-Agent
    QByteArray body;     // sent only with POST
    bool reload = false; // a fresh connection, and caches on the way asked not to answer
    int connectTimeoutMs = 60000;
    int stallTimeoutMs = 60000; // the exchange fails when no byte moves for this long
    int maxRedirects = 5;
};

// The header lines handed to curl: the caller's non-empty lines in order, the reload lines, then empty
// Content-Type, Content-Length and Expect entries for those the caller left out, so curl adds none of
// its own (and no 100-continue wait).
QList<QByteArray> curlHeaderLines(const QByteArray& headers, bool reload);
// The method a redirect with `status` leads to: 301, 302 and 303 turn a POST into a GET (as browsers
// do, and the form body stays behind); 307 and 308 keep it.
QByteArray redirectedVerb(const QByteArray& verb, long status);
// `headers` without the form's Content-Type and Content-Length lines (a redirected GET has no body).
QByteArray withoutFormLines(const QByteArray& headers);

// Started once; reports once through `finished`, later in the event loop, never inside a call.
// Deleting it cancels the exchange, and nothing is reported.
class HttpTransfer : public QObject {
    Q_OBJECT
public:
    explicit HttpTransfer(HttpExchange exchange, QObject* parent = nullptr);
    ~HttpTransfer() override;

    // Opens libcurl on first use; an exchange that cannot start reports a failure.
    void start();

signals:
    // The final response's body (what arrived, when the exchange broke off) and its raw header block
    // with CR LF line ends (empty when none arrived); `completed` is false when the exchange failed or
    // stalled.
    void finished(const QByteArray& body, const QByteArray& rawHeaders, bool completed);

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace orvane
