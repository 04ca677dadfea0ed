// Typed values over the keys of "系统配置", and their words.
#include "platform/SystemSettings.h"

#include "common/FlagText.h"
#include "common/Log.h"
#include "platform/IniProfile.h"

namespace orvane {

namespace {

const QString kAutoDelete = QStringLiteral("删除");
const QString kHourlyChime = QStringLiteral("整点报时");
const QString kRingCount = QStringLiteral("响铃次数");
const QString kSnoozeMinutes = QStringLiteral("稍后提醒分钟");
const QString kHolidayAddress = QStringLiteral("节假日地址");
const QString kTimeServers = QStringLiteral("时间服务器");

// The value whose word is stored; `fallback` for a word of no choice.
template <typename T> T chosen(const QList<SettingChoice<T>>& choices, const QString& stored, T fallback) {
    for (const SettingChoice<T>& choice : choices)
        if (choice.word == stored)
            return choice.value;
    return fallback;
}

template <typename T> QString wordOf(const QList<SettingChoice<T>>& choices, T value) {
    for (const SettingChoice<T>& choice : choices)
        if (choice.value == value)
            return choice.word;
    return {};
}

} // namespace

SystemSettings::SystemSettings(const Paths& paths, QObject* parent)
    : QObject(parent), file_(paths.windowsFile(QStringLiteral("sys.ini"))) {}

QString SystemSettings::value(const QString& key) const {
    auto it = values_.constFind(key);
    if (it == values_.constEnd())
        it = values_.insert(key, IniProfile::read(file_, section(), key));
    return *it;
}

bool SystemSettings::write(const QString& key, const QString& text) {
    if (!IniProfile::write(file_, section(), key, text)) {
        qCWarning(lcStore).noquote() << "the setting" << key << "could not be written to" << file_;
        return false;
    }
    values_.insert(key, text);
    emit changed(key);
    return true;
}

void SystemSettings::reload() {
    const QHash<QString, QString> before = std::exchange(values_, {});
    for (auto it = before.begin(); it != before.end(); ++it)
        if (value(it.key()) != it.value())
            emit changed(it.key());
}

bool SystemSettings::autoDelete() const {
    return readFlag(value(kAutoDelete));
}

bool SystemSettings::setAutoDelete(bool on) {
    return write(kAutoDelete, flagText(on));
}

bool SystemSettings::hourlyChime() const {
    return readFlag(value(kHourlyChime));
}

bool SystemSettings::setHourlyChime(bool on) {
    return write(kHourlyChime, flagText(on));
}

const QList<SettingChoice<RingCount>>& SystemSettings::ringCountChoices() {
    static const QList<SettingChoice<RingCount>> choices{{RingCount::Forever, QStringLiteral("无限重复")},
                                                         {RingCount::Once, QStringLiteral("播放一次")},
                                                         {RingCount::Twice, QStringLiteral("播放二次")}};
    return choices;
}

RingCount SystemSettings::ringCount() const {
    const QString stored = value(kRingCount);
    const RingCount count = chosen(ringCountChoices(), stored, RingCount::Once);
    if (!stored.isEmpty() && wordOf(ringCountChoices(), count) != stored)
        qCWarning(lcAlarm).noquote() << "unknown ring count" << stored << "in" << file_ << "- rings once";
    return count;
}

bool SystemSettings::setRingCount(RingCount count) {
    return write(kRingCount, wordOf(ringCountChoices(), count));
}

const QList<SettingChoice<int>>& SystemSettings::snoozeChoices() {
    static const QList<SettingChoice<int>> choices{
        {5, QStringLiteral("5")}, {10, QStringLiteral("10")}, {15, QStringLiteral("15")}};
    return choices;
}

int SystemSettings::snoozeMinutes() const {
    bool ok = false;
    const int minutes = value(kSnoozeMinutes).trimmed().toInt(&ok);
    return ok && !wordOf(snoozeChoices(), minutes).isEmpty() ? minutes : 5;
}

bool SystemSettings::setSnoozeMinutes(int minutes) {
    return write(kSnoozeMinutes, wordOf(snoozeChoices(), minutes));
}

QString SystemSettings::holidayAddress() const {
    return value(kHolidayAddress).trimmed();
}

QString SystemSettings::timeServers() const {
    return value(kTimeServers);
}

} // namespace orvane
