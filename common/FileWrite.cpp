// Atomic whole-file writes through QSaveFile (write, flush to disk, rename).
#include "common/FileWrite.h"

#include "common/Log.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace orvane {

namespace {
// Only a regular file is opened: a FIFO at the path would block the read.
bool holdsExactly(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() != bytes.size())
        return false;
    QFile existing(path);
    return existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes;
}
} // namespace

bool writeWholeFile(const QString& path, const QByteArray& bytes,
                    std::optional<QFileDevice::Permissions> permissions) {
    QSaveFile file(path);
    file.setDirectWriteFallback(false); // never write in place: a crash must not leave half a file
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // flush() first: Qt's commit() ignores a failed flush of its buffer and would rename an empty or
    // short file over the old one when the disk is full.
    if ((permissions && !file.setPermissions(*permissions)) || file.write(bytes) != bytes.size() ||
        !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool dropCarriedFile(const QString& resource, const QString& path) {
    QFile carried(resource);
    if (!carried.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = carried.readAll();
    // A copy that already holds these bytes stays as it is: no write, and no wait for the disk.
    if (holdsExactly(path, bytes) || writeWholeFile(path, bytes))
        return true;
    qCWarning(lcStore) << "cannot write" << path << "- an older copy, if there is one, is used";
    return false;
}

} // namespace orvane
