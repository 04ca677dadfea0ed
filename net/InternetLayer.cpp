// The internet handles: root, connection and request, each opened, used and closed like the Windows
// internet functions; the transfer itself is InternetTransfer's.
#include "net/InternetLayer.h"

#include "net/CurlApi.h"
#include "net/InternetTransfer.h"

#include <atomic>
#include <cstring>

namespace orvane::inet {

namespace {

std::atomic<int> openHandles{0};

Request* asRequest(Handle h) {
    return h && h->kind == Kind::Request ? static_cast<Request*>(h) : nullptr;
}

} // namespace

Handle InternetOpen(const QByteArray& agent, int accessType, const QByteArray& proxy,
                    const QByteArray& /*bypass*/, std::uint32_t /*flags*/) {
    if (!curlApi())
        return nullptr;
    auto* root = new HandleObject(Kind::Root);
    root->agent = agent;
    if (accessType == OpenTypeProxy) {
        root->proxy = proxyFromList(proxy);
        if (root->proxy.isEmpty()) {
            delete root;
            return nullptr;
        }
    } else if (accessType != OpenTypeDirect) {
        delete root;
        return nullptr;
    }
    ++openHandles;
    return root;
}

Handle InternetConnect(Handle root, const QByteArray& server, int port, const QByteArray&, const QByteArray&,
                       int service, std::uint32_t, std::uintptr_t) {
    if (!root || root->kind != Kind::Root || service != ServiceHttp || server.isEmpty() || port < 0 ||
        port > 65535)
        return nullptr;
    auto* connection = new HandleObject(Kind::Connection);
    connection->agent = root->agent;
    connection->proxy = root->proxy;
    connection->host = server;
    connection->port = port == 0 ? 80 : port;
    ++openHandles;
    return connection;
}

Handle HttpOpenRequest(Handle connection, const QByteArray& verb, const QByteArray& object,
                       const QByteArray& version, const QByteArray&, const QList<QByteArray>&,
                       std::uint32_t flags, std::uintptr_t) {
    if (!connection || connection->kind != Kind::Connection || verb.isEmpty())
        return nullptr;
    auto* r = new Request;
    r->agent = connection->agent;
    r->proxy = connection->proxy;
    r->host = connection->host;
    r->port = connection->port;
    r->verb = verb;
    r->object = object.isEmpty() ? QByteArrayLiteral("/") : object;
    r->version = version.isEmpty() ? QByteArrayLiteral("HTTP/1.1") : version;
    r->flags = flags;
    ++openHandles;
    return r;
}

bool InternetSetOption(Handle request, int option, std::uint32_t value) {
    Request* r = asRequest(request);
    if (!r)
        return false;
    const int ms = int(std::min<std::uint32_t>(value, 24u * 3600 * 1000));
    switch (option) {
    case OptionConnectTimeout:
        r->connectTimeoutMs = ms;
        return true;
    case OptionSendTimeout:
        r->sendTimeoutMs = ms;
        return true;
    case OptionReceiveTimeout:
        r->receiveTimeoutMs = ms;
        return true;
    default:
        return false;
    }
}

bool HttpSendRequest(Handle request, const QByteArray& headers, const QByteArray& body) {
    Request* r = asRequest(request);
    if (!r || r->sent)
        return false;
    r->sent = true;
    r->body = body;
    if (!startTransfer(*r, headers))
        return false;
    r->lastProgress.start();
    drive(*r, [r] { return r->headersDone; });
    return r->headersDone;
}

bool InternetReadFile(Handle request, char* buffer, int toRead, int* read) {
    *read = 0;
    Request* r = asRequest(request);
    if (!r || !r->sent || toRead <= 0)
        return false;
    const auto available = [r] { return r->staged.size() - r->stagedOffset; };
    resumeIfDrained(*r);
    drive(*r, [&] { return available() > 0; });
    const int n = int(std::min<qsizetype>(toRead, available()));
    if (n == 0)
        return !r->failed;
    memcpy(buffer, r->staged.constData() + r->stagedOffset, size_t(n));
    r->stagedOffset += n;
    *read = n;
    return true;
}

bool HttpQueryInfo(Handle request, int level, char* buffer, int* length) {
    Request* r = asRequest(request);
    if (!r || level != QueryRawHeadersCrlf || !r->headersDone)
        return false;
    QByteArray block = r->headerBlock;
    block.replace("\r\n", "\n").replace('\n', "\r\n");
    const int needed = int(block.size()) + 1;
    if (needed > *length) {
        *length = needed;
        return false;
    }
    memcpy(buffer, block.constData(), size_t(block.size()));
    buffer[block.size()] = '\0';
    *length = int(block.size());
    return true;
}

bool InternetCloseHandle(Handle handle) {
    if (!handle)
        return false;
    if (Request* r = asRequest(handle)) {
        releaseTransfer(*r);
        delete r;
    } else {
        delete handle;
    }
    --openHandles;
    return true;
}

int openHandleCount() {
    return openHandles.load();
}

} // namespace orvane::inet