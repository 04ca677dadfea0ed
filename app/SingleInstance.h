// One running program per user: a lock that dies with the process, and a socket that lets a second
// start ask the first to show its window, handing over its activation token.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

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

    static QString defaultFolder();

    // The token as it may be used: at most 4 KiB of printable ASCII, else empty (it comes from another
    // process).
    static QByteArray activationToken(const QByteArray& received);

signals:
    // A later start wants the window in front; `token` is its XDG activation token, empty when it had
    // none (or sent one that was refused).
    void activationRequested(const QByteArray& token);

private:
    void acceptCallers();
    static bool askRunningToShow(const QString& socketPath);

    QString folder_;
    int lockFd_ = -1;
    int listenFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace orvane
