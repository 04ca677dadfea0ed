// One running program per user: a lock that dies with the process, and a socket that lets a second
// start ask the first to show its window.
#pragma once

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

signals:
    void activationRequested(); // a later start wants the window in front

private:
    void acceptCallers();
    static bool askRunningToShow(const QString& socketPath);

    QString folder_;
    int lockFd_ = -1;
    int listenFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace orvane
