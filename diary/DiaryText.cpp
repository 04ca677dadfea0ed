// Line-break forms of diary texts.
#include "diary/DiaryText.h"

namespace orvane {

QString diaryBoxText(const QString& stored) {
    QString text = stored;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString diaryStoredText(const QString& boxText, const QString& loaded) {
    if (boxText == diaryBoxText(loaded))
        return loaded;
    if (!loaded.contains(QStringLiteral("\r\n")))
        return boxText;
    QString text = boxText;
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

} // namespace orvane
