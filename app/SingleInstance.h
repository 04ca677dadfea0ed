// One running program per user: a lock that dies with the process, and a socket that lets a second
// start ask the first to show its window, handing over its activation token, or hand it a command (the
// command line) and read its answer.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QSocketNotifier;

namespace orvane {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `folder` holds the lock and the socket (the user's runtime folder; a test's own folder).
    explicit SingleInstance(QString folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the only instance. False when another one runs: it has been
    // asked to show itself, and this process should end.
    bool claim();

    // Takes the lock only, with no socket: the command line works on the files itself meanwhile. False
    // when a program holds it.
    bool holdLock();

    static QString defaultFolder();

    // What a command's caller receives for its request; set by the running program.
    using CommandHandler = std::function<QByteArray(const QByteArray& request)>;
    void setCommandHandler(CommandHandler handler) { commandHandler_ = std::move(handler); }
    // Hands a request to the running program and waits up to `timeoutMs` for its whole answer; none
    // when no program answers.
    static std::optional<QByteArray> sendCommand(const QString& folder, const QByteArray& request,
                                                 int timeoutMs);

    // The token as it may be used: at most 4 KiB of printable ASCII, else empty (it comes from another
    // process).
    static QByteArray activationToken(const QByteArray& received);

signals:
    // A later start wants the window in front; `token` is its XDG activation token, empty when it had
    // none (or sent one that was refused).
    void activationRequested(const QByteArray& token);

private:
    void acceptCallers();
    bool takeLock();
    static bool askRunningToShow(const QString& socketPath);

    QString folder_;
    int lockFd_ = -1;
    int listenFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    CommandHandler commandHandler_;
};

} // namespace orvane
