// The exchange behind HttpTransfer: curl's sockets watched by QSocketNotifiers, its time-outs by a
// single-shot QTimer, redirects followed here so that each hop's method, body and lines are ours.
#include "net/HttpTransfer.h"

#include "common/Log.h"
#include "net/CurlApi.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <map>
#include <utility>

namespace orvane {

namespace {

// Every handle below was made after curlApi() found the library.
const CurlApi& curl() {
    return *curlApi();
}

struct MultiDeleter {
    void operator()(CURLM* multi) const { curl().curl_multi_cleanup(multi); }
};
struct EasyDeleter {
    void operator()(CURL* easy) const { curl().curl_easy_cleanup(easy); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl().curl_slist_free_all(list); }
};
using MultiHandle = std::unique_ptr<CURLM, MultiDeleter>;
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

bool startsWithNoCase(const QByteArray& line, const char* prefix) {
    return line.toLower().startsWith(QByteArray(prefix).toLower());
}

bool isInterimBlock(const QByteArray& block) {
    const QList<QByteArray> words = block.left(block.indexOf('\n')).split(' ');
    const int status = words.size() > 1 ? words[1].toInt() : 0;
    return status >= 100 && status < 200;
}

// A notifier can be the one whose signal is running: it is switched off at once, deleted later.
void retire(QSocketNotifier* notifier) {
    if (notifier) {
        notifier->setEnabled(false);
        notifier->deleteLater();
    }
}

} // namespace

QList<QByteArray> curlHeaderLines(const QByteArray& headers, bool reload) {
    QList<QByteArray> lines;
    for (QByteArray line : headers.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            lines << line;
    }
    if (reload)
        lines << "Cache-Control: no-cache"
              << "Pragma: no-cache";
    for (const char* name : {"Content-Type:", "Content-Length:", "Expect:"}) {
        if (std::none_of(lines.cbegin(), lines.cend(),
                         [name](const QByteArray& line) { return startsWithNoCase(line, name); }))
            lines << name;
    }
    return lines;
}

QByteArray redirectedVerb(const QByteArray& verb, long status) {
    return verb.toUpper() == "POST" && status >= 301 && status <= 303 ? QByteArrayLiteral("GET") : verb;
}

QByteArray withoutFormLines(const QByteArray& headers) {
    QByteArray kept;
    for (const QByteArray& line : headers.split('\n')) {
        if (!line.isEmpty() && !startsWithNoCase(line, "Content-Type:") &&
            !startsWithNoCase(line, "Content-Length:"))
            kept += line + '\n';
    }
    return kept;
}

struct HttpTransfer::State {
    struct Watch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
    };

    State(HttpTransfer* owner, HttpExchange x) : owner(owner), exchange(std::move(x)) {
        curlTimer.setSingleShot(true);
        stallTimer.setSingleShot(true);
        QObject::connect(&curlTimer, &QTimer::timeout, owner, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
        QObject::connect(&stallTimer, &QTimer::timeout, owner,
                         [this] { fail(QStringLiteral("no byte for %1 ms").arg(exchange.stallTimeoutMs)); });
    }
    ~State() { release(); }

    bool setUp() {
        multi.reset(curl().curl_multi_init());
        easy.reset(curl().curl_easy_init());
        if (!multi || !easy)
            return false;
        curl().curl_multi_setopt(multi.get(), CURLMOPT_SOCKETFUNCTION, &State::onSocket);
        curl().curl_multi_setopt(multi.get(), CURLMOPT_SOCKETDATA, this);
        curl().curl_multi_setopt(multi.get(), CURLMOPT_TIMERFUNCTION, &State::onTimer);
        curl().curl_multi_setopt(multi.get(), CURLMOPT_TIMERDATA, this);
        CURL* e = easy.get();
        curl().curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
        curl().curl_easy_setopt(e, CURLOPT_COOKIEFILE, ""); // cookies of this exchange's redirects only
        curl().curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
        curl().curl_easy_setopt(e, CURLOPT_PROXY, exchange.proxy.constData());
        curl().curl_easy_setopt(e, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L); // a tunnel's answer is no response
        curl().curl_easy_setopt(e, CURLOPT_USERAGENT, exchange.agent.constData());
        curl().curl_easy_setopt(e, CURLOPT_HTTP_VERSION,
                                exchange.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
        curl().curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, long(exchange.connectTimeoutMs));
        if (exchange.reload)
            curl().curl_easy_setopt(e, CURLOPT_FRESH_CONNECT, 1L);
        curl().curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &State::onHeader);
        curl().curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
        curl().curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &State::onBody);
        curl().curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
        aim(exchange.url);
        return true;
    }

    // The address, method, body and lines of the next hop.
    void aim(const QByteArray& url) {
        CURL* e = easy.get();
        curl().curl_easy_setopt(e, CURLOPT_URL, url.constData());
        if (exchange.verb.toUpper() == "POST") {
            curl().curl_easy_setopt(e, CURLOPT_POST, 1L);
            curl().curl_easy_setopt(e, CURLOPT_POSTFIELDS, exchange.body.constData()); // not copied
            curl().curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(exchange.body.size()));
        } else {
            curl().curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
        }
        const bool custom = exchange.verb != "GET" && exchange.verb != "POST";
        curl().curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, custom ? exchange.verb.constData() : nullptr);
        curl_slist* list = nullptr;
        for (const QByteArray& line : curlHeaderLines(exchange.headers, exchange.reload))
            list = curl().curl_slist_append(list, line.constData());
        curl().curl_easy_setopt(e, CURLOPT_HTTPHEADER, list);
        headerList.reset(list); // after curl has the new list: the old one is no longer referred to
    }

    void attach() {
        attached = curl().curl_multi_add_handle(multi.get(), easy.get()) == CURLM_OK;
        if (!attached)
            fail(QStringLiteral("libcurl refused the transfer"));
    }

    void detach() {
        if (attached)
            curl().curl_multi_remove_handle(multi.get(), easy.get());
        attached = false;
    }

    void act(curl_socket_t socket, int flags) {
        if (!attached)
            return;
        int running = 0;
        curl().curl_multi_socket_action(multi.get(), socket, flags, &running);
        bool ended = false;
        CURLcode result = CURLE_OK;
        int left = 0;
        while (CURLMsg* message = curl().curl_multi_info_read(multi.get(), &left)) {
            if (message->msg == CURLMSG_DONE) {
                ended = true;
                result = message->data.result;
            }
        }
        if (!ended)
            return;
        detach();
        if (result != CURLE_OK)
            fail(QString::fromUtf8(curl().curl_easy_strerror(result)));
        else if (!followRedirect())
            end(true);
    }

    bool followRedirect() {
        long status = 0;
        char* target = nullptr;
        curl().curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
        curl().curl_easy_getinfo(easy.get(), CURLINFO_REDIRECT_URL, &target);
        if (hops >= exchange.maxRedirects || status < 300 || status > 399 || !target)
            return false;
        const QByteArray next(target);
        const QByteArray scheme = next.left(next.indexOf(':')).toLower();
        if (scheme != "http" && scheme != "https")
            return false;
        ++hops;
        const QByteArray verb = redirectedVerb(exchange.verb, status);
        if (verb != exchange.verb) {
            exchange.verb = verb;
            exchange.headers = withoutFormLines(exchange.headers);
        }
        body.clear();
        headerBlock.clear();
        aim(next);
        attach();
        return true;
    }

    // Whoever asked hears only that nothing came; the log keeps why.
    void fail(const QString& why) {
        if (!ended)
            qCWarning(lcNet).noquote() << exchange.verb << exchange.url << "failed:" << why;
        end(false);
    }

    void end(bool completed) {
        if (ended)
            return;
        ended = true;
        QByteArray raw = headerBlock;
        raw.replace("\r\n", "\n").replace('\n', "\r\n");
        release();
        // Queued, so that a handler may delete the transfer, and no report comes inside a call.
        QMetaObject::invokeMethod(
            owner, [owner = owner, got = body, raw, completed] { emit owner->finished(got, raw, completed); },
            Qt::QueuedConnection);
    }

    void release() {
        curlTimer.stop();
        stallTimer.stop();
        detach();
        multi.reset(); // may still report sockets to forget: everything they touch is alive
        easy.reset();
        headerList.reset();
    }

    static int onSocket(CURL*, curl_socket_t socket, int what, void* user, void*) {
        auto* s = static_cast<State*>(user);
        Watch& watch = s->watches[socket];
        if (what == CURL_POLL_REMOVE) {
            retire(watch.read);
            retire(watch.write);
            s->watches.erase(socket);
            return 0;
        }
        const bool read = what == CURL_POLL_IN || what == CURL_POLL_INOUT;
        const bool write = what == CURL_POLL_OUT || what == CURL_POLL_INOUT;
        if (read && !watch.read)
            watch.read = s->notifier(socket, QSocketNotifier::Read, CURL_CSELECT_IN);
        if (write && !watch.write)
            watch.write = s->notifier(socket, QSocketNotifier::Write, CURL_CSELECT_OUT);
        if (watch.read)
            watch.read->setEnabled(read);
        if (watch.write)
            watch.write->setEnabled(write);
        return 0;
    }

    QSocketNotifier* notifier(curl_socket_t socket, QSocketNotifier::Type type, int flag) {
        auto* n = new QSocketNotifier(qintptr(socket), type, owner);
        QObject::connect(n, &QSocketNotifier::activated, owner, [this, socket, flag] {
            if (!attached)
                return;
            stallTimer.start(); // a byte moved
            act(socket, flag);
        });
        return n;
    }

    static int onTimer(CURLM*, long ms, void* user) {
        auto* s = static_cast<State*>(user);
        if (ms < 0)
            s->curlTimer.stop();
        else
            s->curlTimer.start(int(std::min<long>(ms, INT_MAX)));
        return 0;
    }

    static size_t onHeader(char* data, size_t size, size_t count, void* user) {
        auto* s = static_cast<State*>(user);
        const QByteArray line(data, qsizetype(size * count));
        if (line.startsWith("HTTP/"))
            s->pendingBlock.clear();
        s->pendingBlock += line;
        if ((line == "\r\n" || line == "\n") && !isInterimBlock(s->pendingBlock))
            s->headerBlock = s->pendingBlock;
        return size * count;
    }

    static size_t onBody(char* data, size_t size, size_t count, void* user) {
        static_cast<State*>(user)->body.append(data, qsizetype(size * count));
        return size * count;
    }

    HttpTransfer* owner;
    HttpExchange exchange;
    QTimer curlTimer, stallTimer;
    std::map<curl_socket_t, Watch> watches;
    MultiHandle multi;
    EasyHandle easy;
    HeaderList headerList;
    QByteArray pendingBlock, headerBlock, body;
    int hops = 0;
    bool attached = false, started = false, ended = false;
};

HttpTransfer::HttpTransfer(HttpExchange exchange, QObject* parent)
    : QObject(parent), state_(std::make_unique<State>(this, std::move(exchange))) {}

HttpTransfer::~HttpTransfer() = default;

void HttpTransfer::start() {
    State& s = *state_;
    if (std::exchange(s.started, true))
        return;
    if (s.exchange.url.isEmpty()) {
        qCWarning(lcNet) << "no request: the address names no host or a port beyond 65535";
        s.end(false);
        return;
    }
    if (!curlApi() || !s.setUp()) {
        s.fail(curlApi() ? QStringLiteral("libcurl cannot start a transfer")
                         : QStringLiteral("libcurl is not available"));
        return;
    }
    s.stallTimer.start(s.exchange.stallTimeoutMs);
    s.attach();
}

} // namespace orvane
