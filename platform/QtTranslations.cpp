// Installing Qt's Chinese translations, the texts they lack, and a Chinese system locale on first need.
#include "platform/QtTranslations.h"

#include "common/Log.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <private/qlocale_p.h>

namespace orvane {

namespace {
QLocale chinese() {
    return QLocale(QLocale::Chinese, QLocale::China);
}

// What Qt's file dialogs ask for in a context that the installed catalogue (written for an older Qt)
// does not have: the type column said "Folder" in an otherwise Chinese dialog.
class MissingQtTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        static const std::pair<const char*, const char*> texts[] = {
            {"Drive", "驱动器"}, {"Folder", "文件夹"},     {"File", "文件"},    {"%1 File", "%1 文件"},
            {"Alias", "替身"},   {"Shortcut", "快捷方式"}, {"Unknown", "未知"},
        };
        for (const auto& [english, chineseText] : texts)
            if (qstrcmp(sourceText, english) == 0)
                return QString::fromUtf8(chineseText);
        return {};
    }
};

// The system locale as Qt's own controls see it (the file dialog's dates and sizes): Chinese, whatever
// LANG says or when it is not set at all. Nothing else of the session's locale is touched.
class ChineseSystemLocale final : public QSystemLocale {
public:
    QVariant query(QueryType, QVariant) const override { return {}; }
    QLocale fallbackLocale() const override { return chinese(); }
};
} // namespace

bool useChineseQtTexts() {
    static const bool installed = [] {
        static ChineseSystemLocale systemLocale;
        QCoreApplication::installTranslator(new MissingQtTexts(QCoreApplication::instance()));
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load(chinese(), QStringLiteral("qtbase"), QStringLiteral("_"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            qCWarning(lcUi) << "Qt's Chinese translations are not installed: standard dialogs speak English";
            delete translator;
            return false;
        }
        return QCoreApplication::installTranslator(translator);
    }();
    return installed;
}

} // namespace orvane
