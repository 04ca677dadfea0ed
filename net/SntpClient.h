// Asking NTP servers for the local clock's error over UDP, without blocking and without Qt Network.
#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace orvane {

class Clock;

struct NtpServers {
    QStringList hosts;
    quint16 port = 123;
    int timeoutMs = 2000; // for all servers together, name look-ups included

    // The public servers the program asks.
    static NtpServers standard();
    // The servers a user named ("ntp.example.cn 10.0.0.1:1123", blanks or commas between, a port on
    // any of them for all); the public ones when the text names none.
    static NtpServers fromText(const QString& text);
};

// One query: every server is asked at once and the first valid answer wins, so a dead server costs
// nothing and the user waits at most timeoutMs. Answers are timed with `clock`. Destroying the query
// cancels it; its callback never runs after that.
class SntpQuery final : public QObject {
    Q_OBJECT
public:
    // The local clock's error in microseconds (add it to the clock), or nullopt when no server gave a
    // valid answer in time.
    using Done = std::function<void(std::optional<qint64> offsetUsec)>;

    SntpQuery(const Clock& clock, NtpServers servers, QObject* parent = nullptr);
    ~SntpQuery() override;

    // Starts the query; `done` runs once, later, in the event loop.
    void start(Done done);

private:
    struct Server;
    void resolved(int index, const QByteArray& address);
    void send(Server& server);
    void receive(Server& server);
    void drop(Server& server, const QString& reason);
    void closeDroppedLater();
    void finish(std::optional<qint64> offsetUsec);

    const Clock& clock_;
    NtpServers servers_;
    std::vector<std::unique_ptr<Server>> pending_;
    QTimer limit_;
    Done done_;
};

} // namespace orvane
