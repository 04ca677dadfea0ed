// The bus methods over the script actions, their errors as D-Bus errors, and the signals from the
// engine's.
#include "cli/AlarmBus.h"

#include "alarm/AlarmEngine.h"
#include "cli/AlarmActions.h"
#include "common/Log.h"
#include "platform/Clock.h"
#include "platform/Registry.h"
#include "protect/PasswordRecord.h"

#include <QDBusConnectionInterface>
#include <QDBusMetaType>

namespace orvane {

namespace {
QString errorName(const char* name) {
    return QStringLiteral("io.github.orvane_clock.Error.") + QLatin1StringView(name);
}
} // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const BusAlarm& alarm) {
    argument.beginStructure();
    argument << alarm.key << alarm.rule << alarm.next << alarm.text;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, BusAlarm& alarm) {
    argument.beginStructure();
    argument >> alarm.key >> alarm.rule >> alarm.next >> alarm.text;
    argument.endStructure();
    return argument;
}

AlarmBus::AlarmBus(AlarmEngine& engine, Registry& registry, const Clock& clock, QObject* parent)
    : QObject(parent), engine_(engine), registry_(registry), clock_(clock) {
    qDBusRegisterMetaType<BusAlarm>();
    qDBusRegisterMetaType<QList<BusAlarm>>();
    for (const AlarmLine& line : listAlarms(engine_, clock_.now()))
        told_.insert(line.key, {line.text, line.next});
    connect(&engine_.model(), &AlarmModel::alarmsChanged, this, &AlarmBus::tellChanges);
    // A skip, a put-off ring or its end moves an alarm's next ring.
    connect(&engine_, &AlarmEngine::wakePlanChanged, this, &AlarmBus::tellChanges);
    connect(&engine_.ringer(), &AlarmRinger::started, this,
            [this](const FiredAlarm& fired) { emit Ringing(fired.alarm.key, fired.alarm.reminder); });
}

bool AlarmBus::publish(QDBusConnection bus) {
    if (!bus.isConnected()) {
        qCWarning(lcUi) << "no session bus: the alarms are not offered on D-Bus";
        return false;
    }
    if (!bus.registerObject(objectPath(), this,
                            QDBusConnection::ExportScriptableSlots |
                                QDBusConnection::ExportScriptableSignals)) {
        qCWarning(lcUi) << "the alarms' object could not be put on the bus";
        return false;
    }
    if (!bus.registerService(serviceName())) {
        qCWarning(lcUi).noquote() << "the bus name" << serviceName()
                                  << "is taken:" << bus.lastError().message();
        return false;
    }
    return true;
}

QList<BusAlarm> AlarmBus::List() {
    QList<BusAlarm> alarms;
    for (const AlarmLine& line : listAlarms(engine_, clock_.now()))
        alarms << BusAlarm{line.key, line.rule, line.next ? scriptTime(*line.next) : QString(), line.text};
    return alarms;
}

qint64 AlarmBus::Next(QString& at, QString& text) {
    const std::optional<AlarmLine> next = nextAlarm(engine_, clock_.now());
    at = next ? scriptTime(*next->next) : QString();
    text = next ? next->text : QString();
    return next ? next->key : 0;
}

qint64 AlarmBus::Add(const QString& rule, const QString& time, const QString& text, const QString& sound) {
    if (!mayChange())
        return 0;
    const ActionResult<AlarmLine> added = addAlarm(engine_, {rule, time, text, sound}, clock_.now());
    if (!added.ok()) {
        refuse(added.error);
        return 0;
    }
    return added.value->key;
}

void AlarmBus::Remove(qint64 key) {
    if (!mayChange())
        return;
    if (const ActionResult<AlarmLine> removed = removeAlarm(engine_, key, clock_.now()); !removed.ok())
        refuse(removed.error);
}

QString AlarmBus::Skip(qint64 key) {
    if (!mayChange())
        return {};
    const ActionResult<AlarmLine> skipped = skipAlarm(engine_, key, clock_.now());
    if (!skipped.ok()) {
        refuse(skipped.error);
        return {};
    }
    return scriptTime(*skipped.value->skipped);
}

void AlarmBus::StopRinging() {
    engine_.ringer().StopRing();
}

void AlarmBus::Snooze() {
    engine_.ringer().Snooze();
}

bool AlarmBus::mayChange() {
    if (!engine_.started()) {
        refuse({ActionError::Failed, QStringLiteral("闹钟数据库正被其他程序占用，请稍后再试")});
        return false;
    }
    if (recordKind(readPasswordRecord(registry_)) != RecordKind::Absent) {
        refuse({ActionError::Refused,
                QStringLiteral("已设置帐号密码：请在闹钟窗口或终端（orvane-clock）中修改闹钟")});
        return false;
    }
    return true;
}

void AlarmBus::refuse(const ActionError& error) {
    switch (error.kind) {
    case ActionError::BadInput:
        sendErrorReply(QDBusError::InvalidArgs, error.text);
        return;
    case ActionError::UnknownKey:
        sendErrorReply(errorName("UnknownKey"), error.text);
        return;
    case ActionError::Refused:
        sendErrorReply(errorName("PasswordSet"), error.text);
        return;
    case ActionError::Failed:
        sendErrorReply(QDBusError::Failed, error.text);
        return;
    }
}

void AlarmBus::tellChanges() {
    QHash<qint64, Told> now;
    for (const AlarmLine& line : listAlarms(engine_, clock_.now()))
        now.insert(line.key, {line.text, line.next});
    const QHash<qint64, Told> before = std::exchange(told_, now);
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (!before.contains(it.key()) || before.value(it.key()) != it.value())
            emit AlarmsChanged(it.key(), it.value().text);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!now.contains(it.key()))
            emit AlarmsChanged(it.key(), it.value().text);
}

} // namespace orvane
