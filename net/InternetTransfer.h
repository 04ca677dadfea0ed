// Inside the internet layer: the handle objects and the curl transfer behind a request handle.
#pragma once

#include "net/InternetLayer.h"

#include <QElapsedTimer>

#include <curl/curl.h>

#include <functional>

namespace orvane::inet {

enum class Kind { Root, Connection, Request };

struct HandleObject {
    explicit HandleObject(Kind k) : kind(k) {}
    Kind kind;
    // Root and connection: what a request copies when it is opened (handles close in any order).
    QByteArray agent, proxy, host;
    int port = 80;
};

constexpr qsizetype PauseAbove = 64 * 1024; // bytes waiting to be read before the transfer pauses

struct Request : HandleObject {
    Request() : HandleObject(Kind::Request) {}
    QByteArray verb, object, version;
    std::uint32_t flags = 0;
    int connectTimeoutMs = DefaultTimeoutMs, sendTimeoutMs = DefaultTimeoutMs,
        receiveTimeoutMs = DefaultTimeoutMs;

    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    curl_slist* headerList = nullptr;
    QByteArray body; // curl reads the body from here until the transfer ends

    bool sent = false, finished = false, failed = false, paused = false, headersDone = false;
    QByteArray headerBlock, pendingBlock; // the final response's headers; the block being received
    QByteArray staged;                    // body bytes received and not yet read
    qsizetype stagedOffset = 0;
    QElapsedTimer lastProgress;
};

// A proxy list entry for plain HTTP as curl takes it ("http://host:port"); empty when there is none.
QByteArray proxyFromList(const QByteArray& list);
// Sets up the curl transfer for the request and starts it; false when curl cannot make one.
bool startTransfer(Request& r, const QByteArray& headers);
// Runs the transfer until `ready` holds, it ends, or it stalls past its time-out, letting events run.
void drive(Request& r, const std::function<bool()>& ready);
// Lets a transfer that paused for an unread backlog go on once the reader has caught up.
void resumeIfDrained(Request& r);
void releaseTransfer(Request& r);

} // namespace orvane::inet
