// The built-in skin: the carried style sheet "yy.she" dropped into the System directory, then attached.
#pragma once

#include <QString>

namespace orvane {

QString skinFileName(); // "yy.she"
// Writes the carried skin over path in one write; false when it cannot be written.
bool dropSkinFile(const QString& path);

} // namespace orvane
