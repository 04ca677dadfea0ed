// The internet handles over libcurl's multi interface, driven from the calling (GUI) thread: every
// wait polls the socket for a few milliseconds and then lets pending events run, so windows stay live
// and a handler may start another request of its own (each request owns its curl handles).
#include "net/InternetLayer.h"

#include "net/CurlApi.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <curl/curl.h>

#include <atomic>

namespace orvane::inet {

enum class Kind { Root, Connection, Request };

struct HandleObject {
    explicit HandleObject(Kind k) : kind(k) {}
    Kind kind;
    // Root and connection: what a request copies when it is opened (handles close in any order).
    QByteArray agent, proxy, host;
    int port = 80;
};

namespace {

std::atomic<int> openHandles{0};
constexpr int PollMs = 5;
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

// Every handle that reaches curl was made after InternetOpen found the library.
const CurlApi& curl() {
    return *curlApi();
}

void pumpEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool isFinalHeaderBlock(const QByteArray& block, bool followsRedirects) {
    const QList<QByteArray> words = block.left(block.indexOf('\n')).split(' ');
    const int status = words.size() > 1 ? words[1].toInt() : 0;
    if (status >= 100 && status < 200)
        return false;
    if (followsRedirects && status >= 300 && status < 400 && block.toLower().contains("\nlocation:"))
        return false;
    return true;
}

size_t onHeader(char* data, size_t size, size_t count, void* user) {
    auto* r = static_cast<Request*>(user);
    const QByteArray line(data, qsizetype(size * count));
    r->lastProgress.restart();
    if (line.startsWith("HTTP/"))
        r->pendingBlock.clear();
    r->pendingBlock += line;
    if (line == "\r\n" || line == "\n") {
        if (isFinalHeaderBlock(r->pendingBlock, true)) {
            r->headerBlock = r->pendingBlock;
            r->headersDone = true;
        }
    }
    return size * count;
}

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto* r = static_cast<Request*>(user);
    // Memory grows only with what the caller has not read yet: beyond a limit curl holds back.
    if (r->staged.size() - r->stagedOffset > PauseAbove) {
        r->paused = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    r->lastProgress.restart();
    r->headersDone = true;
    if (r->stagedOffset > 0 && r->stagedOffset == r->staged.size()) {
        r->staged.clear();
        r->stagedOffset = 0;
    }
    r->staged.append(data, qsizetype(size * count));
    return size * count;
}

// Runs the transfer until `ready` holds, it ends, or it stalls past its time-out.
template <class Ready> void drive(Request& r, Ready ready) {
    while (!ready() && !r.finished) {
        int running = 0;
        curl().curl_multi_perform(r.multi, &running);
        int left = 0;
        while (CURLMsg* message = curl().curl_multi_info_read(r.multi, &left)) {
            if (message->msg == CURLMSG_DONE) {
                r.finished = true;
                r.failed = message->data.result != CURLE_OK;
            }
        }
        if (ready() || r.finished)
            break;
        const int stallLimit =
            r.headersDone ? r.receiveTimeoutMs : std::max(r.sendTimeoutMs, r.receiveTimeoutMs);
        if (!r.paused && r.lastProgress.elapsed() > stallLimit) {
            r.finished = r.failed = true;
            break;
        }
        curl().curl_multi_poll(r.multi, nullptr, 0, PollMs, nullptr);
        pumpEvents();
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

QByteArray proxyFromList(const QByteArray& list) {
    for (const QByteArray& entry : list.split(' ')) {
        const QByteArray e = entry.trimmed();
        const QByteArray server = e.startsWith("http=") ? e.mid(5) : (e.contains('=') ? "" : e);
        if (!server.isEmpty())
            return server.startsWith("http://") ? server : "http://" + server;
    }
    return {};
}

bool hasHeader(const curl_slist* list, const char* name) {
    const QByteArray wanted = QByteArray(name).toLower();
    for (; list; list = list->next) {
        if (QByteArray(list->data).toLower().startsWith(wanted))
            return true;
    }
    return false;
}

curl_slist* headerListFrom(const QByteArray& headers, bool reload) {
    curl_slist* list = nullptr;
    for (QByteArray line : headers.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            list = curl().curl_slist_append(list, line.constData());
    }
    if (reload) { // what a reload asks of caches on the way
        list = curl().curl_slist_append(list, "Cache-Control: no-cache");
        list = curl().curl_slist_append(list, "Pragma: no-cache");
    }
    // Only the caller's lines: curl's own Content-Type, Content-Length and Expect stay out.
    for (const char* name : {"Content-Type:", "Content-Length:", "Expect:"}) {
        if (!hasHeader(list, name))
            list = curl().curl_slist_append(list, name);
    }
    return list;
}

void releaseTransfer(Request& r) {
    if (r.multi && r.easy)
        curl().curl_multi_remove_handle(r.multi, r.easy);
    if (r.easy)
        curl().curl_easy_cleanup(r.easy);
    if (r.multi)
        curl().curl_multi_cleanup(r.multi);
    curl().curl_slist_free_all(r.headerList);
    r.easy = nullptr;
    r.multi = nullptr;
    r.headerList = nullptr;
}

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
    r->multi = curl().curl_multi_init();
    r->easy = curl().curl_easy_init();
    if (!r->multi || !r->easy) {
        r->finished = r->failed = true;
        return false;
    }
    CURL* e = r->easy;
    const QByteArray url = "http://" + r->host + ':' + QByteArray::number(r->port) + escapeObject(r->object);
    curl().curl_easy_setopt(e, CURLOPT_URL, url.constData());
    curl().curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http");
    curl().curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http");
    curl().curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl().curl_easy_setopt(e, CURLOPT_MAXREDIRS, 10L);
    curl().curl_easy_setopt(e, CURLOPT_COOKIEFILE, ""); // cookies of this exchange's redirects only
    curl().curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    // Direct means direct: an empty proxy also ignores the environment's proxy variables.
    curl().curl_easy_setopt(e, CURLOPT_PROXY, r->proxy.constData());
    curl().curl_easy_setopt(e, CURLOPT_USERAGENT, r->agent.constData());
    curl().curl_easy_setopt(e, CURLOPT_HTTP_VERSION,
                            r->version == "HTTP/1.0" ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    curl().curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, long(r->connectTimeoutMs));
    if (r->flags & FlagReload)
        curl().curl_easy_setopt(e, CURLOPT_FRESH_CONNECT, 1L);
    const bool post = r->verb.toUpper() == "POST";
    if (post) {
        curl().curl_easy_setopt(e, CURLOPT_POST, 1L);
        curl().curl_easy_setopt(e, CURLOPT_POSTFIELDS, r->body.constData());
        curl().curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(r->body.size()));
    } else {
        curl().curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
    }
    if (r->verb != "GET" && r->verb != "POST")
        curl().curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, r->verb.constData());
    r->headerList = headerListFrom(headers, r->flags & FlagReload);
    curl().curl_easy_setopt(e, CURLOPT_HTTPHEADER, r->headerList);
    curl().curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, onHeader);
    curl().curl_easy_setopt(e, CURLOPT_HEADERDATA, r);
    curl().curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, onBody);
    curl().curl_easy_setopt(e, CURLOPT_WRITEDATA, r);
    curl().curl_multi_add_handle(r->multi, e);
    r->lastProgress.start();
    drive(*r, [r] { return r->headersDone; });
    return r->headersDone && !(r->finished && r->failed && r->staged.isEmpty());
}

bool InternetReadFile(Handle request, char* buffer, int toRead, int* read) {
    *read = 0;
    Request* r = asRequest(request);
    if (!r || !r->sent || toRead <= 0)
        return false;
    const auto available = [r] { return r->staged.size() - r->stagedOffset; };
    if (r->paused && available() <= PauseAbove / 2) {
        r->paused = false;
        r->lastProgress.restart();
        curl().curl_easy_pause(r->easy, CURLPAUSE_CONT);
    }
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
