// The program's own StatusNotifier item, for a notification area whose watcher appears after the program
// started (an autostarted program starting before the panel): Qt chooses its kind of tray once, at the
// first icon, and never registers with a watcher that was not there then.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>

class QDBusServiceWatcher;

namespace orvane {

class StatusNotifierItemAdaptor;

class StatusNotifierItem : public QObject {
    Q_OBJECT
public:
    // busName: a named connection (tests' private bus); empty for the session bus.
    StatusNotifierItem(const QString& title, const QIcon& icon, const QString& busName = {},
                       QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    // Registers with the watcher now if there is one, and again each time a watcher appears (a panel
    // started or restarted). Nothing happens without a bus.
    void start();
    bool registered() const { return registered_; }
    void setToolTip(const QString& text);

    // What the host reads (the adaptor's properties).
    QString title() const { return title_; }
    QString toolTip() const { return toolTip_; }
    const QIcon& icon() const { return icon_; }
    QString serviceName() const { return serviceName_; }

signals:
    void registeredWithWatcher(); // the host will show the icon now
    void activated();             // a click: on such a host the only way to ask for the window
    void contextMenuRequested(QPoint at);

private:
    friend class StatusNotifierItemAdaptor;
    void registerWithWatcher();

    QString title_;
    QString toolTip_;
    QIcon icon_;
    QString busName_;
    QString serviceName_;
    bool exported_ = false;
    bool registered_ = false;
    QDBusServiceWatcher* watcher_ = nullptr;
};

} // namespace orvane
