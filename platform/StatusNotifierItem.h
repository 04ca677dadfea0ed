// The program's own StatusNotifier item with its menu, for every StatusNotifier host (KDE, waybar, GNOME
// with AppIndicator), also one whose watcher appears after the program started (an autostarted program
// starting before the panel): Qt chooses its kind of tray once, at the first icon, and never registers
// with a watcher that was not there then; its own item has no activation token and another title.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>

class QAction;
class QDBusServiceWatcher;

namespace orvane {

class DBusMenu;
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
    // The menu the host shows at the icon (its own drawing, from the actions' texts and states).
    void setMenuActions(const QList<QAction*>& actions);

    // What the host reads (the adaptor's properties).
    QString title() const { return title_; }
    QString toolTip() const { return toolTip_; }
    const QIcon& icon() const { return icon_; }
    QString serviceName() const { return serviceName_; }
    static QString menuPath();

signals:
    void registeredWithWatcher(); // the host will show the icon now
    // A click: on such a host the only way to ask for the window. `activationToken` is the one the host
    // handed over for this click (Wayland's focus permission), empty when it gave none.
    void activated(const QString& activationToken);
    void contextMenuRequested(QPoint at); // a host that draws no menu itself

private:
    friend class StatusNotifierItemAdaptor;
    void registerWithWatcher();
    void activate();

    QString title_;
    QString toolTip_;
    QIcon icon_;
    QString busName_;
    QString serviceName_;
    bool exported_ = false;
    bool registered_ = false;
    QDBusServiceWatcher* watcher_ = nullptr;
    DBusMenu* menu_;
    QString activationToken_; // from ProvideXdgActivationToken, for the next activation only
};

} // namespace orvane
