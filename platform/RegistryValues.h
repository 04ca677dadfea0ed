// The registry values the program keeps: the Run value that starts it at log-on, the password record.
#pragma once

#include <QString>

namespace orvane::settings {

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
