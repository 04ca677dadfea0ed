// Attaching a style-sheet skin to the whole application.
#include "app/SkinEngine.h"

#include <QApplication>
#include <QFile>

namespace orvane {

bool SkinH_Attach_Ex(const QString& skinPath, const QString& password) {
    Q_UNUSED(password);
    QFile file(skinPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
    return true;
}

} // namespace orvane
