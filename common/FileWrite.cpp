// Atomic whole-file writes through QSaveFile (write, flush to disk, rename).
#include "common/FileWrite.h"

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

} // namespace orvane
