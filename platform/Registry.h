// The registry values the program keeps: text values under key paths, stored in a private INI file
// (mode 0600); values of the Run key are XDG autostart entries instead.
#pragma once

#include "platform/Paths.h"

#include <QString>

#include <optional>

namespace orvane {

class Registry {
public:
    static QString runKey() { return QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"); }

    explicit Registry(Paths paths) : paths_(std::move(paths)) {}

    bool exists(const QString& key, const QString& name) const;
    std::optional<QString> read(const QString& key, const QString& name) const;
    // Under the Run key the value is the executable's path, written as "<autostartDir>/<name>.desktop".
    bool write(const QString& key, const QString& name, const QString& value);
    bool remove(const QString& key, const QString& name); // true when the value is absent afterwards

private:
    QString autostartFile(const QString& name) const;
    Paths paths_;
};

} // namespace orvane
