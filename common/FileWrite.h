// Writing a whole file in one create-or-overwrite step that a crash can never leave half-written.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvane {

// Writes bytes to a new file beside path and renames it over path; false when any step fails
// (the old file, if any, is then left as it was).
bool writeWholeFile(const QString& path, const QByteArray& bytes);
// Writes a file carried inside the program (a Qt resource such as ":/ring.mp3") to path the same way,
// unless path already holds exactly those bytes.
bool dropCarriedFile(const QString& resource, const QString& path);

} // namespace orvane
