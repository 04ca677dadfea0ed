// Where the program keeps its files: the Linux stand-ins of the Windows, System and program directories.
#pragma once

#include <QString>

namespace orvane {

struct Paths {
    QString windowsDir;   // "dbtime.mdb", the system "sys.ini", "1.mp3"
    QString systemDir;    // the skin file "yy.she"
    QString programDir;   // the diary "sys.ini", the registry store
    QString autostartDir; // XDG autostart entries (the Run value)

    // ~/.local/share/orvane-clock, …/system, ~/.config/orvane-clock, ~/.config/autostart (XDG variables
    // honoured).
    static Paths standard();
    // All four folders below one root (tests).
    static Paths under(const QString& root);
    // Creates the folders written at every start (Windows and System); false when one cannot be made. The
    // program and autostart folders are made by their first write, so a start leaves no empty folder there.
    bool makeFolders() const;

    QString windowsFile(const QString& name) const { return windowsDir + u'/' + name; }
    QString systemFile(const QString& name) const { return systemDir + u'/' + name; }
    QString programFile(const QString& name) const { return programDir + u'/' + name; }
    QString registryFile() const { return programFile(QStringLiteral("registry.ini")); }
    // The imported holiday file, beside the database.
    QString holidaysFile() const { return windowsFile(QStringLiteral("holidays.ics")); }
};

} // namespace orvane
