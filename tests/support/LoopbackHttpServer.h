// A scripted HTTP server on 127.0.0.1 for tests: records each raw request, answers with raw bytes.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace orvane::test {

// Runs in the test's own thread: the test lets events run (QTRY_…) while it waits for an answer.
// Each connection gets one answer, then the server closes it.
class LoopbackHttpServer : public QObject {
public:
    // Raw bytes to send for a request (status line, headers, blank line, body).
    using Handler = std::function<QByteArray(const QByteArray& request)>;

    LoopbackHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, this, &LoopbackHttpServer::takeConnections);
    }

    quint16 port() const { return server_.serverPort(); }
    // "http://127.0.0.1:<port><path>"
    QByteArray url(const QByteArray& path = "/") const {
        return "http://127.0.0.1:" + QByteArray::number(port()) + path;
    }

    // The same answer to every request: a 200 with this body, or raw bytes with setRaw.
    void setBody(const QByteArray& body, const QByteArray& contentType = "text/html") {
        handler_ = [body, contentType](const QByteArray&) { return ok(body, contentType); };
    }
    void setRaw(const QByteArray& raw) {
        handler_ = [raw](const QByteArray&) { return raw; };
    }
    void setHandler(Handler handler) { handler_ = std::move(handler); }

    // Send the answer in pieces of `bytes` every `intervalMs` (0 = all at once).
    void setChunking(int bytes, int intervalMs) {
        chunkBytes_ = bytes;
        chunkIntervalMs_ = intervalMs;
    }
    // Keep connections open after sending the answer (a server that never finishes).
    void setKeepOpen(bool keep) { keepOpen_ = keep; }
    // Never answer: the request is read and the connection stays silent.
    void setSilent(bool silent) { silent_ = silent; }
    // Answer an endless body: `bytes` more every `intervalMs`, forever.
    void setEndless(int bytes, int intervalMs) {
        endlessBytes_ = bytes;
        chunkIntervalMs_ = intervalMs;
    }

    // Hold every answer back until releaseAnswers(): a server that answers when the test says so.
    void holdAnswers() { hold_ = true; }
    void releaseAnswers() {
        hold_ = false;
        for (const auto& [socket, request] : std::exchange(held_, {})) {
            if (socket)
                answer(socket, request);
        }
    }

    // Every request received so far, head and body, as raw bytes.
    const QList<QByteArray>& requests() const { return requests_; }
    int connectionCount() const { return connections_; }
    // Connections the client has not closed yet.
    qsizetype openConnections() const {
        const QList<QTcpSocket*> sockets = findChildren<QTcpSocket*>();
        return std::count_if(sockets.cbegin(), sockets.cend(), [](const QTcpSocket* socket) {
            return socket->state() == QAbstractSocket::ConnectedState;
        });
    }
    qint64 bytesSent() const { return sent_; }

    static QByteArray ok(const QByteArray& body, const QByteArray& contentType = "text/html") {
        return "HTTP/1.1 200 OK\r\nContent-Type: " + contentType +
               "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" +
               body;
    }

private:
    void takeConnections() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            ++connections_;
            socket->setParent(this);
            auto buffer = std::make_shared<QByteArray>(); // lives as long as the connections below
            QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
                buffer->append(socket->readAll());
                if (!requestComplete(*buffer))
                    return;
                requests_.append(*buffer);
                const QByteArray request = *buffer;
                buffer->clear();
                if (hold_)
                    held_.append({QPointer<QTcpSocket>(socket), request});
                else
                    answer(socket, request);
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    static bool requestComplete(const QByteArray& data) {
        const qsizetype end = data.indexOf("\r\n\r\n");
        if (end < 0)
            return false;
        qsizetype length = 0;
        for (const QByteArray& line : data.left(end).split('\n')) {
            if (line.trimmed().toLower().startsWith("content-length:"))
                length = line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
        return data.size() >= end + 4 + length;
    }

    void answer(QTcpSocket* socket, const QByteArray& request) {
        if (silent_)
            return;
        if (endlessBytes_ > 0) {
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n");
            startEndless(socket);
            return;
        }
        const QByteArray raw = handler_ ? handler_(request) : ok("");
        if (chunkBytes_ <= 0) {
            send(socket, raw);
            finish(socket);
            return;
        }
        auto* timer = new QTimer(socket);
        auto offset = std::make_shared<qsizetype>(0);
        QObject::connect(timer, &QTimer::timeout, this, [this, socket, timer, raw, offset] {
            send(socket, raw.mid(*offset, chunkBytes_));
            *offset += chunkBytes_;
            if (*offset >= raw.size()) {
                timer->stop();
                finish(socket);
            }
        });
        timer->start(chunkIntervalMs_);
    }

    void startEndless(QTcpSocket* socket) {
        auto* timer = new QTimer(socket);
        QObject::connect(timer, &QTimer::timeout, this, [this, socket] {
            if (socket->bytesToWrite() < 1 << 20) // do not queue faster than the client reads
                send(socket, QByteArray(endlessBytes_, 'x'));
        });
        timer->start(chunkIntervalMs_);
    }

    void send(QTcpSocket* socket, const QByteArray& bytes) {
        sent_ += socket->write(bytes);
        socket->flush();
    }

    void finish(QTcpSocket* socket) {
        if (!keepOpen_)
            socket->disconnectFromHost();
    }

    QTcpServer server_;
    Handler handler_;
    QList<QByteArray> requests_;
    int chunkBytes_ = 0;
    int chunkIntervalMs_ = 0;
    int endlessBytes_ = 0;
    bool keepOpen_ = false;
    bool silent_ = false;
    bool hold_ = false;
    QList<std::pair<QPointer<QTcpSocket>, QByteArray>> held_;
    int connections_ = 0;
    qint64 sent_ = 0;
};

} // namespace orvane::test
