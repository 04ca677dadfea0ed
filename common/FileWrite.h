// Writing a whole file in one create-or-overwrite step that a crash can never leave half-written.
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

namespace orvane {

// Writes bytes to a new file beside path and renames it over path; false when any step fails
// (the old file, if any, is then left as it was). `permissions`, when given, are the new file's (set
// before a byte is written, so a private file is never readable by others).
bool writeWholeFile(const QString& path, const QByteArray& bytes,
                    std::optional<QFileDevice::Permissions> permissions = std::nullopt);
// Writes a file carried inside the program (a Qt resource such as ":/ring.mp3") to path the same way,
// unless path already holds exactly those bytes.
bool dropCarriedFile(const QString& resource, const QString& path);

} // namespace orvane
