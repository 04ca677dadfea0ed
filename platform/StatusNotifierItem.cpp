// The StatusNotifier item on the bus: its object with the properties and methods a host uses, and its
// registration with the watcher, renewed whenever a watcher appears.
#include "platform/StatusNotifierItem.h"

#include "common/Log.h"
#include "platform/DBusMenu.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QImage>
#include <QtEndian>

#include <utility>

namespace orvane {

namespace {
const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kMenuPath = QStringLiteral("/StatusNotifierItem/Menu");

QDBusConnection busOf(const QString& name) {
    return name.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(name);
}
} // namespace

// One picture of the icon as the protocol carries it: width, height, ARGB32 in network byte order.
struct SniPixmap {
    int width = 0;
    int height = 0;
    QByteArray bytes;
};
using SniPixmaps = QList<SniPixmap>;
// The tooltip: icon name, pictures, title, text.
struct SniToolTip {
    QString iconName;
    SniPixmaps pixmaps;
    QString title;
    QString text;
};

QDBusArgument& operator<<(QDBusArgument& out, const SniPixmap& p) {
    out.beginStructure();
    out << p.width << p.height << p.bytes;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, SniPixmap& p) {
    in.beginStructure();
    in >> p.width >> p.height >> p.bytes;
    in.endStructure();
    return in;
}
QDBusArgument& operator<<(QDBusArgument& out, const SniToolTip& t) {
    out.beginStructure();
    out << t.iconName << t.pixmaps << t.title << t.text;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, SniToolTip& t) {
    in.beginStructure();
    in >> t.iconName >> t.pixmaps >> t.title >> t.text;
    in.endStructure();
    return in;
}

} // namespace orvane

Q_DECLARE_METATYPE(orvane::SniPixmap)
Q_DECLARE_METATYPE(orvane::SniToolTip)

namespace orvane {

namespace {
SniPixmaps pixmapsOf(const QIcon& icon) {
    SniPixmaps pixmaps;
    for (const QSize size : icon.availableSizes()) {
        const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        SniPixmap p{image.width(), image.height(), {}};
        p.bytes.resize(qsizetype(image.width()) * image.height() * 4);
        auto* out = reinterpret_cast<quint32*>(p.bytes.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                *out++ = qToBigEndian(quint32(line[x]));
        }
        pixmaps.append(p);
    }
    return pixmaps;
}
} // namespace

// The org.kde.StatusNotifierItem interface of the item's object.
class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(orvane::SniPixmaps IconPixmap READ iconPixmap)
    Q_PROPERTY(orvane::SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem* item) : QDBusAbstractAdaptor(item), item_(item) {}

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return QCoreApplication::applicationName(); }
    QString title() const { return item_->title(); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconName() const { return {}; }
    SniPixmaps iconPixmap() const { return pixmapsOf(item_->icon()); }
    SniToolTip toolTip() const { return {{}, {}, item_->title(), item_->toolTip()}; }
    // Not a menu: a click is Activate, the other button opens the menu at Menu.
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const { return QDBusObjectPath(kMenuPath); }

public slots:
    void Activate(int, int) { item_->activate(); }
    void SecondaryActivate(int, int) { item_->activate(); }
    void ContextMenu(int x, int y) { emit item_->contextMenuRequested(QPoint(x, y)); }
    void Scroll(int, const QString&) {}
    // Sent before Activate by hosts on Wayland: the permission to take the focus with this click.
    void ProvideXdgActivationToken(const QString& token) { item_->activationToken_ = token; }

signals:
    void NewTitle();
    void NewIcon();
    void NewToolTip();
    void NewStatus(const QString& status);

private:
    StatusNotifierItem* item_;
};

StatusNotifierItem::StatusNotifierItem(const QString& title, const QIcon& icon, const QString& busName,
                                       QObject* parent)
    : QObject(parent), title_(title), icon_(icon), busName_(busName), menu_(new DBusMenu(this)) {
    qDBusRegisterMetaType<SniPixmap>();
    qDBusRegisterMetaType<SniPixmaps>();
    qDBusRegisterMetaType<SniToolTip>();
    new StatusNotifierItemAdaptor(this);
}

StatusNotifierItem::~StatusNotifierItem() {
    if (exported_) {
        QDBusConnection bus = busOf(busName_);
        bus.unregisterObject(kMenuPath);
        bus.unregisterObject(kItemPath);
        bus.unregisterService(serviceName_);
    }
}

void StatusNotifierItem::start() {
    QDBusConnection bus = busOf(busName_);
    if (!bus.isConnected() || watcher_ != nullptr)
        return;
    watcher_ = new QDBusServiceWatcher(kWatcher, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher_, &QDBusServiceWatcher::serviceRegistered, this,
            &StatusNotifierItem::registerWithWatcher);
    if (bus.interface()->isServiceRegistered(kWatcher))
        registerWithWatcher();
}

void StatusNotifierItem::registerWithWatcher() {
    QDBusConnection bus = busOf(busName_);
    if (!exported_) {
        // The name hosts expect: one per process and item.
        serviceName_ =
            QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid());
        exported_ = bus.registerService(serviceName_) &&
                    bus.registerObject(kItemPath, this, QDBusConnection::ExportAdaptors) &&
                    bus.registerObject(kMenuPath, menu_, QDBusConnection::ExportAdaptors);
        if (!exported_) {
            qCWarning(lcUi) << "no StatusNotifier item:" << bus.lastError().message();
            return;
        }
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"), kWatcher,
                                       QStringLiteral("RegisterStatusNotifierItem"));
    call << serviceName_;
    // Asynchronous: a watcher that is still starting must not hold up the clock.
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        if (done->isError()) {
            qCWarning(lcUi) << "the StatusNotifier watcher refused the icon:" << done->error().message();
            return;
        }
        registered_ = true;
        emit registeredWithWatcher();
    });
}

QString StatusNotifierItem::menuPath() {
    return kMenuPath;
}

void StatusNotifierItem::setMenuActions(const QList<QAction*>& actions) {
    menu_->setActions(actions);
}

void StatusNotifierItem::activate() {
    emit activated(std::exchange(activationToken_, QString()));
}

void StatusNotifierItem::setToolTip(const QString& text) {
    if (text == toolTip_)
        return;
    toolTip_ = text;
    if (exported_) {
        QDBusMessage signal = QDBusMessage::createSignal(
            kItemPath, QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("NewToolTip"));
        busOf(busName_).send(signal);
    }
}

} // namespace orvane

#include "StatusNotifierItem.moc"
