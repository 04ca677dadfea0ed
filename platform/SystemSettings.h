// Where the system settings live: section "系统配置" of the "sys.ini" in the Windows directory.
#pragma once

#include "platform/Paths.h"

namespace orvane::settings {

inline QString systemFile(const Paths& paths) {
    return paths.windowsFile(QStringLiteral("sys.ini"));
}
inline QString systemSection() {
    return QStringLiteral("系统配置");
}
inline QString autoDeleteKey() {
    return QStringLiteral("删除");
} // "真" deletes a fired alarm
inline QString hourlyChimeKey() {
    return QStringLiteral("整点报时");
} // "真" announces the time
inline QString ringCountKey() {
    return QStringLiteral("响铃次数");
} // "无限重复" / "播放一次" / "播放二次"
inline QString snoozeMinutesKey() {
    return QStringLiteral("稍后提醒分钟");
} // "5" / "10" / "15": how long "稍后提醒" puts a ring off
inline QString holidayAddressKey() {
    return QStringLiteral("节假日地址");
} // where "更新节假日" downloads the holiday file; empty: the user picks a file
inline QString timeServersKey() {
    return QStringLiteral("时间服务器");
} // the NTP servers 网络校时 asks ("host[:port]", blank- or comma-separated); empty: the public ones
// The Run value that starts the program at log-on, and the password record's value.
inline QString autoStartValue() {
    return QStringLiteral("qlzk");
}
inline QString passwordKey() {
    return QStringLiteral("SOFTWARE\\qlzk");
}
inline QString passwordValue() {
    return QStringLiteral("pz");
}

} // namespace orvane::settings
