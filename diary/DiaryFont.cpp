// The diary font's stored texts: conversions and the reads and writes of "记事本配置".
#include "diary/DiaryFont.h"

#include "common/FlagText.h"
#include "common/NumberText.h"
#include "platform/IniProfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace orvane {

namespace {
enum Key { Color, Size, Bold, Underline, Family, Italic, StrikeOut, KeyCount };
} // namespace

QStringList diaryini::keys() {
    return {QStringLiteral("颜色"),   QStringLiteral("大小"),     QStringLiteral("加粗"),
            QStringLiteral("下划线"), QStringLiteral("字体名称"), QStringLiteral("倾斜"),
            QStringLiteral("删除线")};
}

QString diarySettingsFile(const Paths& paths) {
    return paths.programFile(QStringLiteral("sys.ini"));
}

quint32 storedColor(quint32 rgb) {
    return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

quint32 rgbOfStored(quint32 stored) {
    return storedColor(stored); // swapping the outer bytes is its own inverse
}

QStringList diaryFontValues(const FontChoice& font) {
    QStringList values(KeyCount);
    values[Color] = intText(storedColor(font.color & 0xFFFFFFu));
    values[Size] = intText(font.pointSize);
    values[Bold] = flagText(font.bold);
    values[Underline] = flagText(font.underline);
    values[Family] = font.family;
    values[Italic] = flagText(font.italic);
    values[StrikeOut] = flagText(font.strikeOut);
    return values;
}

FontChoice diaryFontFromValues(const QStringList& values) {
    const auto value = [&](Key key) { return values.value(key); };
    FontChoice font;
    // A negative colour keeps its low 24 bits, as a colour value of that platform does.
    font.color = rgbOfStored(quint32(truncToInt(readNumber(value(Color)))) & 0xFFFFFFu);
    font.pointSize = int(std::clamp<qint64>(truncToInt(readNumber(value(Size))), 0, kMaxDiaryFontSize));
    font.family = value(Family);
    font.bold = readFlag(value(Bold));
    font.underline = readFlag(value(Underline));
    font.italic = readFlag(value(Italic));
    font.strikeOut = readFlag(value(StrikeOut));
    return font;
}

QStringList readDiaryFontValues(const QString& file) {
    QStringList values;
    for (const QString& key : diaryini::keys())
        values << IniProfile::read(file, diaryini::section(), key);
    return values;
}

bool writeDiaryFontValues(const QString& file, const QStringList& values) {
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    const QStringList keys = diaryini::keys();
    for (int i = 0; i < keys.size(); ++i) {
        if (!IniProfile::write(file, diaryini::section(), keys.at(i), values.value(i)))
            return false;
    }
    return true;
}

} // namespace orvane
