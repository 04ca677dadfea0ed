// The curl transfer behind a request handle, driven from the calling (GUI) thread: every wait polls the
// socket for a few milliseconds and then lets pending events run, so windows stay live and a handler
// may start another request of its own (each request owns its curl handles).
#include "net/InternetTransfer.h"

#include "net/CurlApi.h"

#include <QCoreApplication>

namespace orvane::inet {

namespace {

constexpr int PollMs = 5;

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

void driveImpl(Request& r, const std::function<bool()>& ready) {
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

} // namespace

QByteArray proxyFromList(const QByteArray& list) {
    for (const QByteArray& entry : list.split(' ')) {
        const QByteArray e = entry.trimmed();
        const QByteArray server = e.startsWith("http=") ? e.mid(5) : (e.contains('=') ? "" : e);
        if (!server.isEmpty())
            return server.startsWith("http://") ? server : "http://" + server;
    }
    return {};
}

bool startTransfer(Request& request, const QByteArray& headers) {
    Request* r = &request;
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
    return true;
}

void drive(Request& r, const std::function<bool()>& ready) {
    driveImpl(r, ready);
}

void resumeIfDrained(Request& r) {
    if (r.paused && r.staged.size() - r.stagedOffset <= PauseAbove / 2) {
        r.paused = false;
        r.lastProgress.restart();
        curl().curl_easy_pause(r.easy, CURLPAUSE_CONT);
    }
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

} // namespace orvane::inet
