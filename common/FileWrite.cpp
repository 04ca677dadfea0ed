// Atomic whole-file writes through QSaveFile (write, flush to disk, rename).
#include "common/FileWrite.h"

#include <QFile>
#include <QSaveFile>

namespace orvane {

bool writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // flush() first: Qt's commit() ignores a failed flush of its buffer and would rename an empty or
    // short file over the old one when the disk is full.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
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
