// The alarms on the session bus as io.github.orvane_clock.Alarms (resources/dbus has its introspection):
// a desktop panel shows the next alarm, a script adds one. Changes are refused while an account password
// is set, since the bus has no way to ask for it.
#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QHash>
#include <QObject>

#include <optional>

namespace orvane {

class AlarmEngine;
class Clock;
class Registry;
struct ActionError;

// One alarm of List(): key, rule, next ring ("2026-12-09 06:50", empty when it never rings again), text.
struct BusAlarm {
    qint64 key = 0;
    QString rule, next, text;
};
QDBusArgument& operator<<(QDBusArgument& argument, const BusAlarm& alarm);
const QDBusArgument& operator>>(const QDBusArgument& argument, BusAlarm& alarm);

class AlarmBus : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.orvane_clock.Alarms")
public:
    AlarmBus(AlarmEngine& engine, Registry& registry, const Clock& clock, QObject* parent = nullptr);

    static QString serviceName() { return QStringLiteral("io.github.orvane_clock"); }
    static QString objectPath() { return QStringLiteral("/io/github/orvane_clock"); }
    // Puts the object and the name on `bus`; false (logged) when the bus refuses either.
    bool publish(QDBusConnection bus);

public slots:
    Q_SCRIPTABLE QList<orvane::BusAlarm> List();
    // The alarm that rings next: its key (0 when none), and its time and text as out arguments.
    Q_SCRIPTABLE qint64 Next(QString& at, QString& text);
    // `sound`: a sound file, empty for the built-in ring. The new alarm's key.
    Q_SCRIPTABLE qint64 Add(const QString& rule, const QString& time, const QString& text,
                            const QString& sound);
    Q_SCRIPTABLE void Remove(qint64 key);
    // The ring skipped.
    Q_SCRIPTABLE QString Skip(qint64 key);
    // As the reminder's "停止播放" and "稍后提醒".
    Q_SCRIPTABLE void StopRinging();
    Q_SCRIPTABLE void Snooze();

signals:
    // An alarm was added, changed (also its next ring: a skip, a put-off ring) or removed.
    Q_SCRIPTABLE void AlarmsChanged(qint64 key, const QString& text);
    Q_SCRIPTABLE void Ringing(qint64 key, const QString& text);

private:
    // False after sending the refusal: a password is set, or the alarms are not loaded yet.
    bool mayChange();
    void refuse(const ActionError& error);
    // Compares the alarms and their next rings with what was last told, and tells the differences.
    void tellChanges();

    struct Told {
        QString text;
        std::optional<qint64> next;
        bool operator==(const Told&) const = default;
    };
    AlarmEngine& engine_;
    Registry& registry_;
    const Clock& clock_;
    QHash<qint64, Told> told_;
};

} // namespace orvane

Q_DECLARE_METATYPE(orvane::BusAlarm)
