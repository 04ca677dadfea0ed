// Typed values over the keys of "系统配置", and their words.
#include "platform/SystemSettings.h"

#include "common/FlagText.h"
#include "common/Log.h"
#include "platform/IniProfile.h"

#include <algorithm>

namespace orvane {

namespace {

const QString kAutoDelete = QStringLiteral("删除");
const QString kHourlyChime = QStringLiteral("整点报时");
const QString kRingCount = QStringLiteral("响铃次数");
const QString kSnoozeMinutes = QStringLiteral("稍后提醒分钟");
const QString kHolidayAddress = QStringLiteral("节假日地址");
const QString kTimeServers = QStringLiteral("时间服务器");
const QString kHeadsUp = QStringLiteral("提前提醒");
const QString kLateLimit = QStringLiteral("迟到多久仍响铃");
const QString kHolidayNotice = QStringLiteral("节假日提示");
const QString kAlarmVolume = QStringLiteral("闹钟音量");
const QString kFadeIn = QStringLiteral("渐强响铃");
const QString kUnmuteForRing = QStringLiteral("响铃时取消系统静音");
const QString kWakeForAlarm = QStringLiteral("唤醒电脑响铃");

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
    static const QList<SettingChoice<RingCount>> choices{
        {RingCount::Forever, QStringLiteral("无限重复"), QStringLiteral("无限重复")},
        {RingCount::Once, QStringLiteral("播放一次"), QStringLiteral("播放一次")},
        {RingCount::Twice, QStringLiteral("播放二次"), QStringLiteral("播放二次")}};
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
    static const QList<SettingChoice<int>> choices{{5, QStringLiteral("5"), QStringLiteral("5分钟")},
                                                   {10, QStringLiteral("10"), QStringLiteral("10分钟")},
                                                   {15, QStringLiteral("15"), QStringLiteral("15分钟")}};
    return choices;
}

int SystemSettings::numberOf(const QString& key, const QList<SettingChoice<int>>& choices,
                             int fallback) const {
    bool ok = false;
    const int minutes = value(key).trimmed().toInt(&ok);
    return ok && !wordOf(choices, minutes).isEmpty() ? minutes : fallback;
}

int SystemSettings::snoozeMinutes() const {
    return numberOf(kSnoozeMinutes, snoozeChoices(), 5);
}

const QList<SettingChoice<int>>& SystemSettings::headsUpChoices() {
    static const QList<SettingChoice<int>> choices{{0, QStringLiteral("0"), QStringLiteral("关闭")},
                                                   {5, QStringLiteral("5"), QStringLiteral("5分钟")},
                                                   {10, QStringLiteral("10"), QStringLiteral("10分钟")},
                                                   {30, QStringLiteral("30"), QStringLiteral("30分钟")}};
    return choices;
}

int SystemSettings::headsUpMinutes() const {
    return numberOf(kHeadsUp, headsUpChoices(), 0);
}

bool SystemSettings::setHeadsUpMinutes(int minutes) {
    return write(kHeadsUp, wordOf(headsUpChoices(), minutes));
}

const QList<SettingChoice<int>>& SystemSettings::lateLimitChoices() {
    static const QList<SettingChoice<int>> choices{{0, QStringLiteral("0"), QStringLiteral("不限")},
                                                   {60, QStringLiteral("60"), QStringLiteral("1小时")},
                                                   {10, QStringLiteral("10"), QStringLiteral("10分钟")}};
    return choices;
}

int SystemSettings::lateLimitMinutes() const {
    return numberOf(kLateLimit, lateLimitChoices(), 0);
}

bool SystemSettings::setLateLimitMinutes(int minutes) {
    return write(kLateLimit, wordOf(lateLimitChoices(), minutes));
}

int SystemSettings::alarmVolume() const {
    bool ok = false;
    const int percent = value(kAlarmVolume).trimmed().toInt(&ok);
    return ok ? std::clamp(percent, RingLevel::kMinPercent, RingLevel::kMaxPercent) : RingLevel::kMaxPercent;
}

bool SystemSettings::setAlarmVolume(int percent) {
    return write(kAlarmVolume,
                 QString::number(std::clamp(percent, RingLevel::kMinPercent, RingLevel::kMaxPercent)));
}

const QList<SettingChoice<int>>& SystemSettings::fadeInChoices() {
    static const QList<SettingChoice<int>> choices{{0, QStringLiteral("0"), QStringLiteral("关闭")},
                                                   {15, QStringLiteral("15"), QStringLiteral("15秒")},
                                                   {30, QStringLiteral("30"), QStringLiteral("30秒")},
                                                   {60, QStringLiteral("60"), QStringLiteral("60秒")}};
    return choices;
}

int SystemSettings::fadeInSeconds() const {
    return numberOf(kFadeIn, fadeInChoices(), 0);
}

bool SystemSettings::setFadeInSeconds(int seconds) {
    return write(kFadeIn, wordOf(fadeInChoices(), seconds));
}

bool SystemSettings::unmuteForRing() const {
    return readFlag(value(kUnmuteForRing));
}

bool SystemSettings::setUnmuteForRing(bool on) {
    return write(kUnmuteForRing, flagText(on));
}

bool SystemSettings::wakeForAlarm() const {
    return readFlag(value(kWakeForAlarm));
}

bool SystemSettings::setWakeForAlarm(bool on) {
    return write(kWakeForAlarm, flagText(on));
}

QString SystemSettings::holidayNotice() const {
    return value(kHolidayNotice);
}

bool SystemSettings::setHolidayNotice(const QString& notice) {
    return write(kHolidayNotice, notice);
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
