// NTP servers for tests: a scripted one on a loopback address, and a real chrony that never sets the clock.
#pragma once

#include "TempDir.h"
#include "net/SntpPacket.h"

#include <QFile>
#include <QNetworkDatagram>
#include <QProcess>
#include <QStandardPaths>
#include <QUdpSocket>
#include <QtEndian>

namespace orvane::test {

// Answers each request on `address`:`port` as scripted. Its time is the client's time of sending (read
// from the request) plus `offsetUsec`, so the offset measured comes out exact with any clock.
class FakeNtpServer {
public:
    enum Answer { Good, KissOfDeath, Garbage, Late };

    FakeNtpServer(const QHostAddress& address, quint16 port, Answer answer, qint64 offsetUsec = 0)
        : answer_(answer), offset_(offsetUsec) {
        socket_.bind(address, port);
        QObject::connect(&socket_, &QUdpSocket::readyRead, &socket_, [this] {
            while (socket_.hasPendingDatagrams()) {
                held_.append(socket_.receiveDatagram());
                ++received_;
                if (answer_ != Late)
                    answerHeld();
            }
        });
    }
    quint16 port() const { return socket_.localPort(); }
    qsizetype received() const { return received_; }
    qsizetype answered() const { return answered_; }
    // Late: the held requests are answered now.
    void answerHeld() {
        for (const QNetworkDatagram& request : std::exchange(held_, {})) {
            ++answered_;
            // Not makeReply: its packet info makes Linux send from lo's first address, not the bound one.
            socket_.writeDatagram(reply(request.data()), request.senderAddress(),
                                  quint16(request.senderPort()));
        }
    }

private:
    QByteArray reply(const QByteArray& request) const {
        if (answer_ == Garbage)
            return QByteArrayLiteral("HTTP/1.1 400 Bad Request\r\n");
        QByteArray packet(48, '\0');
        packet[0] = char((4 << 3) | 4);
        packet[1] = char(answer_ == KissOfDeath ? 0 : 2);
        const sntp::Timestamp sent = qFromBigEndian<quint64>(request.constData() + 40);
        const sntp::Timestamp now = sntp::toTimestamp(sntp::fromTimestamp(sent, 0) + offset_);
        qToBigEndian(sent, packet.data() + 24);
        qToBigEndian(now, packet.data() + 32);
        qToBigEndian(now, packet.data() + 40);
        return packet;
    }

    QUdpSocket socket_;
    Answer answer_;
    qint64 offset_;
    QList<QNetworkDatagram> held_;
    qsizetype received_ = 0;
    qsizetype answered_ = 0;
};

// chronyd -x (never touches the clock) serving its own time, the machine's, on a loopback port.
class LoopbackChrony {
public:
    explicit LoopbackChrony(const TempDir& dir) {
        const QString chronyd = QStandardPaths::findExecutable(
            QStringLiteral("chronyd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
        if (chronyd.isEmpty()) {
            unavailable_ = QStringLiteral("chronyd is not installed (scripts/setup dev installs chrony)");
            return;
        }
        QUdpSocket probe; // a free port, given back for chronyd to take
        probe.bind(QHostAddress::LocalHost, 0);
        port_ = probe.localPort();
        probe.close();
        QFile conf(dir.file(QStringLiteral("chrony.conf")));
        conf.open(QIODevice::WriteOnly);
        conf.write("local stratum 8\nallow 127.0.0.1\nbindaddress 127.0.0.1\ncmdport 0\nport " +
                   QByteArray::number(port_) + "\ndriftfile " + dir.file(QStringLiteral("drift")).toUtf8() +
                   "\npidfile " + dir.file(QStringLiteral("chronyd.pid")).toUtf8() + "\n");
        conf.close();
        daemon_.setProcessChannelMode(QProcess::MergedChannels);
        daemon_.start(chronyd,
                      {QStringLiteral("-x"), QStringLiteral("-d"), QStringLiteral("-f"), conf.fileName()});
        // Asked until it answers: it binds its port a moment after starting.
        QUdpSocket client;
        client.bind(QHostAddress::LocalHost, 0);
        const QByteArray request = sntp::requestPacket(1);
        const bool answers =
            daemon_.waitForStarted(5000) &&
            QTest::qWaitFor(
                [&] {
                    client.writeDatagram(request, QHostAddress::LocalHost, port_);
                    return client.hasPendingDatagrams() || daemon_.state() == QProcess::NotRunning;
                },
                5000) &&
            client.hasPendingDatagrams();
        if (!answers)
            unavailable_ =
                QStringLiteral("chronyd did not start: ") + QString::fromLocal8Bit(daemon_.readAll());
    }
    ~LoopbackChrony() {
        daemon_.kill();
        daemon_.waitForFinished();
    }
    // Why it cannot serve (e.g. not root); empty when it answers.
    QString unavailable() const { return unavailable_; }
    quint16 port() const { return port_; }

private:
    QProcess daemon_;
    quint16 port_ = 0;
    QString unavailable_;
};

} // namespace orvane::test
