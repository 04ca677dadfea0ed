// A menu of actions as a StatusNotifier host reads it over D-Bus (com.canonical.dbusmenu): the host draws
// it at the icon itself, which is the only way to a menu there on Wayland.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

class QAction;

namespace orvane {

class DBusMenuAdaptor;

class DBusMenu : public QObject {
    Q_OBJECT
public:
    explicit DBusMenu(QObject* parent = nullptr);

    // The entries, in order: an action's text, enabled and visible state, or a separator. A "clicked"
    // event from the host triggers the action; a change of an action makes hosts read the menu again.
    void setActions(const QList<QAction*>& actions);
    uint revision() const { return revision_; }

    // What the host is told of entry `id` (1 for the first action; 0 is the menu itself), restricted to
    // `names` unless that is empty. Empty for an id that is no entry.
    QVariantMap properties(int id, const QStringList& names = {}) const;
    bool hasEntry(int id) const { return id >= 0 && id <= actions_.size(); }
    // The host's event on entry `id`: "clicked" triggers the action (after the host's call has been
    // answered, since it may end the program).
    void handleEvent(int id, const QString& eventId);
    QList<int> entryIds() const;

signals:
    void layoutChanged(uint revision);

private:
    QList<QPointer<QAction>> actions_;
    uint revision_ = 1;
};

} // namespace orvane
