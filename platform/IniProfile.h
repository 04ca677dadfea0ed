// Windows-style INI files: read or write one key of a section; every write replaces the file atomically.
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

namespace orvane {

class IniProfile {
public:
    // The key's text; empty when the file, the section or the key is absent or the file is unreadable.
    // A file that is not valid UTF-8 is read as GBK.
    static QString read(const QString& file, const QString& section, const QString& key);
    // Writes key=value (other sections and keys kept, in order) by writing a new file and renaming it
    // over the old one; the folder must exist. False when the file cannot be written, and for what a line
    // cannot hold: a line break in the value, '=' or a line break in the key, ']' in the section.
    // A value with outer blanks or its own enclosing quotes is stored quoted, so it reads back as written.
    static bool write(const QString& file, const QString& section, const QString& key, const QString& value,
                      QFileDevice::Permissions permissions = defaultPermissions());
    // Removes one key; true when the key is absent afterwards.
    static bool remove(const QString& file, const QString& section, const QString& key,
                       QFileDevice::Permissions permissions = defaultPermissions());
    static bool exists(const QString& file, const QString& section, const QString& key);

    // read() and write() on a file's bytes in memory: the key's text, and the file's new bytes (nullopt
    // where write() refuses). The files' own rules, without the disk.
    static QString readText(const QByteArray& fileBytes, const QString& section, const QString& key);
    static std::optional<QByteArray> writeText(const QByteArray& fileBytes, const QString& section,
                                               const QString& key, const QString& value);

    static QFileDevice::Permissions defaultPermissions() {
        return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
               QFileDevice::ReadOther;
    }
};

} // namespace orvane
