// Installing Qt's Chinese translations on first need.
#include "platform/QtTranslations.h"

#include "common/Log.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace orvane {

bool useChineseQtTexts() {
    static const bool installed = [] {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                              QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            qCWarning(lcUi) << "Qt's Chinese translations are not installed: standard dialogs speak English";
            delete translator;
            return false;
        }
        return QCoreApplication::installTranslator(translator);
    }();
    return installed;
}

} // namespace orvane
