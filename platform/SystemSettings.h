// The system settings: section "系统配置" of the "sys.ini" in the Windows directory, every key a typed
// value, with the one table of words the settings page shows and the readers understand.
#pragma once

#include "platform/Paths.h"
#include "platform/SoundPlayer.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

namespace orvane {

// "响铃次数": how often a ring file plays.
enum class RingCount { Forever = -1, Once = 1, Twice = 2 };

// A value the settings page offers, with the word it stores and the one it shows.
template <typename T> struct SettingChoice {
    T value;
    QString word;
    QString shown;
};

// Reads each key once, at its first use, and writes through at once (the file replaced atomically); a
// change is announced by changed(). A write the file refuses changes nothing: what is stored is what
// counts. reload() reads the file again (the settings page does, so a file edited by hand shows there and
// counts from then on).
class SystemSettings : public QObject {
    Q_OBJECT
public:
    explicit SystemSettings(const Paths& paths, QObject* parent = nullptr);

    // "删除": "真" deletes an alarm when its rings are over.
    bool autoDelete() const;
    bool setAutoDelete(bool on);
    // "整点报时": "真" announces the time at every full and half hour.
    bool hourlyChime() const;
    bool setHourlyChime(bool on);
    // "响铃次数": a count never chosen, or a word the program does not know, rings once (never silent).
    RingCount ringCount() const;
    bool setRingCount(RingCount count);
    static const QList<SettingChoice<RingCount>>& ringCountChoices();
    // "稍后提醒分钟": 5, 10 or 15; anything else counts as 5.
    int snoozeMinutes() const;
    bool setSnoozeMinutes(int minutes);
    static const QList<SettingChoice<int>>& snoozeChoices();
    // "提前提醒": minutes before a ring that a notice says it is coming; 0 (关闭) as never chosen.
    int headsUpMinutes() const;
    bool setHeadsUpMinutes(int minutes);
    static const QList<SettingChoice<int>>& headsUpChoices();
    // "迟到多久仍响铃": an alarm later than that many minutes (after a suspend) is listed as missed instead
    // of ringing; 0 (不限) as never chosen.
    int lateLimitMinutes() const;
    bool setLateLimitMinutes(int minutes);
    static const QList<SettingChoice<int>>& lateLimitChoices();
    // "闹钟音量": the ring's own stream volume in percent, 10–100; 100 as never chosen, a number outside
    // brought to the nearer end.
    int alarmVolume() const;
    bool setAlarmVolume(int percent);
    // "渐强响铃": seconds over which a ring rises to its volume; 0 (关闭) as never chosen.
    int fadeInSeconds() const;
    bool setFadeInSeconds(int seconds);
    static const QList<SettingChoice<int>>& fadeInChoices();
    // Both of them, as every ring plays.
    RingLevel ringLevel() const { return {alarmVolume(), fadeInSeconds()}; }
    // "响铃时取消系统静音": "真" unmutes a muted output while an alarm rings, and mutes it again after.
    bool unmuteForRing() const;
    bool setUnmuteForRing(bool on);
    // "唤醒电脑响铃": "真" wakes a sleeping machine a minute before the next alarm.
    bool wakeForAlarm() const;
    bool setWakeForAlarm(bool on);
    // "节假日提示": the last word said of the holiday table's years ("缺2027", "有2027"), so it is said once.
    QString holidayNotice() const;
    bool setHolidayNotice(const QString& notice);
    // "节假日地址": where "更新节假日" downloads the holiday file; empty: the user picks a file.
    QString holidayAddress() const;
    // "时间服务器": the NTP servers 网络校时 asks ("host[:port]", blank- or comma-separated).
    QString timeServers() const;

    void reload();

    // The file and the stored key names, for tests of the stored bytes.
    const QString& file() const { return file_; }
    static QString section() { return QStringLiteral("系统配置"); }

signals:
    // A value was written (its key's stored name).
    void changed(const QString& key);

private:
    QString value(const QString& key) const;
    int numberOf(const QString& key, const QList<SettingChoice<int>>& choices, int fallback) const;
    bool write(const QString& key, const QString& value);

    QString file_;
    mutable QHash<QString, QString> values_; // the keys read so far, as stored
};

} // namespace orvane
