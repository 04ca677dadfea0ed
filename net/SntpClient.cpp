// UDP sockets watched by QSocketNotifier and name look-ups on a thread of their own: Qt Network would add
// a library to every start of the program for one button.
#include "net/SntpClient.h"

#include "common/Log.h"
#include "net/SntpPacket.h"
#include "platform/Clock.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QSocketNotifier>

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

namespace orvane {

namespace {
qint64 nowUsec(const Clock& clock) {
    return clock.now().toMSecsSinceEpoch() * 1000;
}

// The first IPv4 address of `host` (else any), as a raw sockaddr; empty when the name does not resolve.
QByteArray lookUp(const QByteArray& host, quint16 port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.constData(), QByteArray::number(port).constData(), &hints, &found) != 0)
        return {};
    const addrinfo* pick = found;
    for (const addrinfo* a = found; a; a = a->ai_next)
        if (a->ai_family == AF_INET) {
            pick = a;
            break;
        }
    QByteArray address(reinterpret_cast<const char*>(pick->ai_addr), qsizetype(pick->ai_addrlen));
    freeaddrinfo(found);
    return address;
}

} // namespace

NtpServers NtpServers::standard() {
    return {{QStringLiteral("ntp.aliyun.com"), QStringLiteral("ntp.tencent.com"),
             QStringLiteral("cn.pool.ntp.org"), QStringLiteral("time.cloudflare.com")}};
}

NtpServers NtpServers::fromText(const QString& text) {
    NtpServers servers;
    for (const QString& entry :
         text.split(QRegularExpression(QStringLiteral("[\\s,，]+")), Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.lastIndexOf(u':');
        bool ok = false;
        const uint port = colon > 0 ? entry.mid(colon + 1).toUInt(&ok) : 0;
        ok = ok && port > 0 && port < 65536;
        if (ok)
            servers.port = quint16(port);
        servers.hosts.append(ok ? entry.left(colon) : entry);
    }
    return servers.hosts.isEmpty() ? standard() : servers;
}

struct SntpQuery::Server {
    int index = 0;
    QString host;
    int fd = -1;
    QSocketNotifier* notifier = nullptr;
    qint64 t1 = 0;
    sntp::Timestamp sent = 0;
    bool dropped = false;
    ~Server() {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
        if (fd >= 0)
            ::close(fd);
    }
};

SntpQuery::SntpQuery(const Clock& clock, NtpServers servers, QObject* parent)
    : QObject(parent), clock_(clock), servers_(std::move(servers)) {
    limit_.setSingleShot(true);
    connect(&limit_, &QTimer::timeout, this, [this] {
        qCWarning(lcNet) << "no NTP server answered within" << servers_.timeoutMs << "ms";
        finish(std::nullopt);
    });
}

SntpQuery::~SntpQuery() = default;

void SntpQuery::start(Done done) {
    done_ = std::move(done);
    limit_.start(servers_.timeoutMs);
    for (int i = 0; i < servers_.hosts.size(); ++i) {
        pending_.push_back(std::make_unique<Server>());
        pending_.back()->index = i;
        pending_.back()->host = servers_.hosts[i];
        // getaddrinfo blocks for as long as DNS takes: it runs on a thread of its own, which outlives a
        // cancelled query and hands its answer to the main thread, where the guard is read.
        std::thread([query = QPointer<SntpQuery>(this), i, host = servers_.hosts[i].toUtf8(),
                     port = servers_.port] {
            const QByteArray address = lookUp(host, port);
            if (QCoreApplication* app = QCoreApplication::instance())
                QMetaObject::invokeMethod(
                    app,
                    [query, i, address] {
                        if (query)
                            query->resolved(i, address);
                    },
                    Qt::QueuedConnection);
        }).detach();
    }
    if (servers_.hosts.isEmpty())
        QMetaObject::invokeMethod(
            this, [this] { finish(std::nullopt); }, Qt::QueuedConnection);
}

void SntpQuery::resolved(int index, const QByteArray& address) {
    if (!done_)
        return;
    for (auto& server : pending_) {
        if (server->index != index)
            continue;
        if (address.isEmpty())
            return drop(*server, QStringLiteral("name does not resolve"));
        const auto* sa = reinterpret_cast<const sockaddr*>(address.constData());
        server->fd = ::socket(sa->sa_family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        // Connected, so that only this server's datagrams arrive and an ICMP refusal shows as an error.
        if (server->fd < 0 || ::connect(server->fd, sa, socklen_t(address.size())) != 0)
            return drop(*server, QString::fromLocal8Bit(strerror(errno)));
        return send(*server);
    }
}

void SntpQuery::send(Server& server) {
    server.t1 = nowUsec(clock_);
    server.sent = sntp::toTimestamp(server.t1);
    const QByteArray request = sntp::requestPacket(server.sent);
    if (::send(server.fd, request.constData(), size_t(request.size()), 0) != request.size())
        return drop(server, QString::fromLocal8Bit(strerror(errno)));
    server.notifier = new QSocketNotifier(server.fd, QSocketNotifier::Read);
    connect(server.notifier, &QSocketNotifier::activated, this, [this, &server] { receive(server); });
}

void SntpQuery::receive(Server& server) {
    QByteArray packet(512, '\0');
    const ssize_t n = ::recv(server.fd, packet.data(), size_t(packet.size()), 0);
    const qint64 t4 = nowUsec(clock_);
    if (server.dropped)
        return;
    if (n < 0) {
        if (errno != EAGAIN && errno != EINTR)
            drop(server, QString::fromLocal8Bit(strerror(errno)));
        return;
    }
    packet.truncate(n);
    const sntp::Reply reply = sntp::readReply(packet, server.sent);
    if (reply.fault != sntp::ReplyFault::None)
        return drop(server, QString::fromLatin1(sntp::faultText(reply.fault)));
    const qint64 t2 = sntp::fromTimestamp(reply.receive, t4);
    const qint64 t3 = sntp::fromTimestamp(reply.transmit, t4);
    finish(sntp::clockOffset(server.t1, t2, t3, t4));
}

void SntpQuery::drop(Server& server, const QString& reason) {
    qCWarning(lcNet) << "NTP server" << server.host << "skipped:" << reason;
    server.dropped = true;
    if (std::all_of(pending_.begin(), pending_.end(), [](const auto& s) { return s->dropped; }))
        return finish(std::nullopt);
    closeDroppedLater();
}

void SntpQuery::closeDroppedLater() {
    // Later, never inside a notifier's own signal, where deleting the sender is unsafe.
    QMetaObject::invokeMethod(
        this, [this] { std::erase_if(pending_, [](const auto& s) { return s->dropped; }); },
        Qt::QueuedConnection);
}

void SntpQuery::finish(std::optional<qint64> offsetUsec) {
    if (!done_)
        return;
    limit_.stop();
    for (auto& server : pending_)
        server->dropped = true;
    closeDroppedLater();
    std::exchange(done_, {})(offsetUsec);
}

} // namespace orvane
