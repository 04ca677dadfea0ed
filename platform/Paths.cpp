// Where the program keeps its files: XDG data and config folders standing in for the Windows directories.
#include "platform/Paths.h"

#include <QDir>
#include <QStandardPaths>

namespace orvane {

Paths Paths::standard() {
    // Generic (not app-specific) locations, so the folder names do not depend on the application name.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    Paths paths;
    paths.windowsDir = data + QStringLiteral("/orvane-clock");
    paths.systemDir = paths.windowsDir + QStringLiteral("/system");
    paths.programDir = config + QStringLiteral("/orvane-clock");
    paths.autostartDir = config + QStringLiteral("/autostart");
    return paths;
}

Paths Paths::under(const QString& root) {
    Paths paths;
    paths.windowsDir = root + QStringLiteral("/windows");
    paths.systemDir = paths.windowsDir + QStringLiteral("/system");
    paths.programDir = root + QStringLiteral("/program");
    paths.autostartDir = root + QStringLiteral("/autostart");
    return paths;
}

bool Paths::makeFolders() const {
    // Not the program folder (the diary's settings and the password store make it when they first write)
    // nor the autostart folder, shared with other programs.
    QDir dir;
    for (const QString& folder : {windowsDir, systemDir}) {
        if (!dir.mkpath(folder))
            return false;
    }
    return true;
}

} // namespace orvane
