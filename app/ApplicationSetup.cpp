// Names and locale of the application.
#include "app/ApplicationSetup.h"

#include <QGuiApplication>
#include <QLocale>

namespace orvane {

void setUpApplication() {
    QGuiApplication::setApplicationName(QStringLiteral("orvane-clock"));
    QGuiApplication::setDesktopFileName(QStringLiteral("orvane-clock"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

} // namespace orvane
