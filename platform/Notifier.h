// Desktop notifications: a word from the program that the desktop shows beside its windows (also on
// Wayland, over full-screen programs and on a locked session), with buttons that answer back.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace orvane {

class Notifier : public QObject {
    Q_OBJECT
public:
    struct Action {
        QString key;   // what actionInvoked() reports
        QString label; // what the button says
    };
    using QObject::QObject;

    // Shows a notification and returns at once with a handle of the program's own (never 0); with no
    // notification service nothing is shown, and nothing is reported.
    virtual quint64 notify(const QString& summary, const QString& body, const QList<Action>& actions) = 0;
    // Takes a notification away (a handle already gone, or 0, is no error).
    virtual void close(quint64 handle) = 0;

signals:
    void actionInvoked(quint64 handle, const QString& key);
};

} // namespace orvane
