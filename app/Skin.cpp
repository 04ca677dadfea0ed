// Dropping the carried skin file.
#include "app/Skin.h"

#include "common/FileWrite.h"

#include <QFile>

namespace orvane {

QString skinFileName() {
    return QStringLiteral("yy.she");
}

bool dropSkinFile(const QString& path) {
    QFile carried(QStringLiteral(":/yy.she"));
    if (!carried.open(QIODevice::ReadOnly))
        return false;
    return writeWholeFile(path, carried.readAll());
}

} // namespace orvane
