// The dbusmenu protocol over a list of actions: the layout and properties a host asks for, and its events.
#include "platform/DBusMenu.h"

#include "platform/DBusMenuAdaptor.h"

#include <QAction>
#include <QDBusAbstractAdaptor>
#include <QDBusMetaType>
#include <QDBusVariant>

namespace orvane {

namespace {
// Qt marks an access key with '&' ("&&" is a plain '&'), the protocol with '_' ("__" a plain '_').
QString protocolLabel(const QString& text) {
    QString label;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'_')
            label += QStringLiteral("__");
        else if (c == u'&' && i + 1 < text.size() && text.at(i + 1) == u'&')
            label += text.at(++i);
        else
            label += c == u'&' ? u'_' : c;
    }
    return label;
}

QVariantMap only(QVariantMap all, const QStringList& names) {
    if (names.isEmpty())
        return all;
    for (auto it = all.begin(); it != all.end();)
        it = names.contains(it.key()) ? std::next(it) : all.erase(it);
    return all;
}
} // namespace

DBusMenu::DBusMenu(QObject* parent) : QObject(parent) {
    registerDBusMenuTypes();
    new DBusMenuAdaptor(this);
}

void DBusMenu::setActions(const QList<QAction*>& actions) {
    for (const QPointer<QAction>& action : std::as_const(actions_))
        if (action)
            disconnect(action, nullptr, this, nullptr);
    actions_.clear();
    for (QAction* action : actions) {
        actions_.append(action);
        connect(action, &QAction::changed, this, [this] { emit layoutChanged(++revision_); });
    }
    emit layoutChanged(++revision_);
}

QList<int> DBusMenu::entryIds() const {
    QList<int> ids;
    for (int id = 1; id <= actions_.size(); ++id)
        ids.append(id);
    return ids;
}

QVariantMap DBusMenu::properties(int id, const QStringList& names) const {
    if (id == 0)
        return only({{QStringLiteral("children-display"), QStringLiteral("submenu")}}, names);
    if (!hasEntry(id))
        return {};
    const QAction* action = actions_.at(id - 1);
    if (action == nullptr) // gone: shown as nothing until the menu is set again
        return only({{QStringLiteral("visible"), false}}, names);
    if (action->isSeparator())
        return only({{QStringLiteral("type"), QStringLiteral("separator")},
                     {QStringLiteral("visible"), action->isVisible()}},
                    names);
    return only({{QStringLiteral("label"), protocolLabel(action->text())},
                 {QStringLiteral("enabled"), action->isEnabled()},
                 {QStringLiteral("visible"), action->isVisible()}},
                names);
}

void DBusMenu::handleEvent(int id, const QString& eventId) {
    if (eventId != QLatin1String("clicked") || id <= 0 || !hasEntry(id))
        return;
    QAction* action = actions_.at(id - 1);
    if (action != nullptr && action->isEnabled() && action->isVisible())
        QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
}

} // namespace orvane
