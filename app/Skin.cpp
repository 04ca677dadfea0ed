// Dropping the carried skin file.
#include "app/Skin.h"

#include "common/FileWrite.h"

namespace orvane {

QString skinFileName() {
    return QStringLiteral("yy.she");
}

bool dropSkinFile(const QString& path) {
    return dropCarriedFile(QStringLiteral(":/yy.she"), path);
}

} // namespace orvane
