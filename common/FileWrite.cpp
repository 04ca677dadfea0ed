// Atomic whole-file writes through QSaveFile (write, flush to disk, rename).
#include "common/FileWrite.h"

#include <QFile>
#include <QSaveFile>

namespace orvane {

bool writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool dropCarriedFile(const QString& resource, const QString& path) {
    QFile carried(resource);
    if (!carried.open(QIODevice::ReadOnly))
        return false;
    return writeWholeFile(path, carried.readAll());
}

} // namespace orvane
