// How the dbusmenu types travel on the bus, and the interface's calls answered from the DBusMenu.
#include "platform/DBusMenuAdaptor.h"

#include "platform/DBusMenu.h"

#include <QDBusMetaType>

namespace orvane {

QDBusArgument& operator<<(QDBusArgument& out, const DBusMenuLayout& layout) {
    out.beginStructure();
    out << layout.id << layout.properties;
    out.beginArray(qMetaTypeId<QDBusVariant>());
    for (const DBusMenuLayout& child : layout.children)
        out << QDBusVariant(QVariant::fromValue(child));
    out.endArray();
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, DBusMenuLayout& layout) {
    in.beginStructure();
    in >> layout.id >> layout.properties;
    layout.children.clear();
    in.beginArray();
    while (!in.atEnd()) {
        QDBusVariant child;
        in >> child;
        // Received, a child is still in its wire form.
        DBusMenuLayout childLayout;
        if (child.variant().canConvert<QDBusArgument>())
            child.variant().value<QDBusArgument>() >> childLayout;
        else
            childLayout = child.variant().value<DBusMenuLayout>();
        layout.children.append(childLayout);
    }
    in.endArray();
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const DBusMenuItem& item) {
    out.beginStructure();
    out << item.id << item.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, DBusMenuItem& item) {
    in.beginStructure();
    in >> item.id >> item.properties;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const DBusMenuItemKeys& keys) {
    out.beginStructure();
    out << keys.id << keys.names;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, DBusMenuItemKeys& keys) {
    in.beginStructure();
    in >> keys.id >> keys.names;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const DBusMenuEvent& event) {
    out.beginStructure();
    out << event.id << event.eventId << event.data << event.timestamp;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, DBusMenuEvent& event) {
    in.beginStructure();
    in >> event.id >> event.eventId >> event.data >> event.timestamp;
    in.endStructure();
    return in;
}

void registerDBusMenuTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<DBusMenuLayout>();
        qDBusRegisterMetaType<DBusMenuItem>();
        qDBusRegisterMetaType<DBusMenuItems>();
        qDBusRegisterMetaType<DBusMenuItemKeys>();
        qDBusRegisterMetaType<DBusMenuItemKeysList>();
        qDBusRegisterMetaType<DBusMenuEvent>();
        qDBusRegisterMetaType<DBusMenuEvents>();
        return true;
    }();
    Q_UNUSED(registered);
}

DBusMenuAdaptor::DBusMenuAdaptor(DBusMenu* menu) : QDBusAbstractAdaptor(menu), menu_(menu) {
    connect(menu, &DBusMenu::layoutChanged, this, [this](uint revision) { emit LayoutUpdated(revision, 0); });
}

uint DBusMenuAdaptor::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                DBusMenuLayout& layout) {
    // One level of entries under the menu itself; an entry has none below it.
    layout = {parentId, menu_->properties(parentId, propertyNames), {}};
    if (parentId == 0 && recursionDepth != 0)
        for (int id : menu_->entryIds())
            layout.children.append({id, menu_->properties(id, propertyNames), {}});
    return menu_->revision();
}

DBusMenuItems DBusMenuAdaptor::GetGroupProperties(const QList<int>& ids, const QStringList& propertyNames) {
    DBusMenuItems items;
    for (int id : ids)
        if (menu_->hasEntry(id))
            items.append({id, menu_->properties(id, propertyNames)});
    return items;
}

QDBusVariant DBusMenuAdaptor::GetProperty(int id, const QString& name) {
    // A variant must hold something to travel: an unknown property is an empty text.
    const QVariant value = menu_->properties(id, {name}).value(name);
    return QDBusVariant(value.isValid() ? value : QVariant(QString()));
}

void DBusMenuAdaptor::Event(int id, const QString& eventId, const QDBusVariant&, uint) {
    menu_->handleEvent(id, eventId);
}

QList<int> DBusMenuAdaptor::EventGroup(const DBusMenuEvents& events) {
    QList<int> idErrors;
    for (const DBusMenuEvent& event : events) {
        if (menu_->hasEntry(event.id))
            menu_->handleEvent(event.id, event.eventId);
        else
            idErrors.append(event.id);
    }
    return idErrors;
}

bool DBusMenuAdaptor::AboutToShow(int) {
    return false; // the entries are always up to date
}

QList<int> DBusMenuAdaptor::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    for (int id : ids)
        if (!menu_->hasEntry(id))
            idErrors.append(id);
    return {};
}

} // namespace orvane
