// The diary editor's font in the diary "sys.ini": its file, section, keys in stored order and text forms.
#pragma once

#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <QStringList>

namespace orvane {

namespace diaryini {
inline QString section() {
    return QStringLiteral("记事本配置");
}
// The keys in the order they are read and written: 颜色, 大小, 加粗, 下划线, 字体名称, 倾斜, 删除线.
QStringList keys();
} // namespace diaryini

// The program directory's "sys.ini", not the system settings file of the same name.
QString diarySettingsFile(const Paths& paths);

// Colour 0xRRGGBB ↔ the stored form 0x00BBGGRR (red in the low byte); only the low 24 bits count.
quint32 storedColor(quint32 rgb);
quint32 rgbOfStored(quint32 stored);

// The largest size taken from the file: a damaged value must not ask for a font of a million points.
constexpr int kMaxDiaryFontSize = 1638;

// The seven texts in key order: numbers in decimal, flags as "真"/"假".
QStringList diaryFontValues(const FontChoice& font);
// The font from the seven texts in key order (missing texts are empty): only "真" is true, numbers are
// read from the start of the text and cut toward zero. A size of 0 (absent, 0 or negative) and an empty
// family mean the platform's own size and face.
FontChoice diaryFontFromValues(const QStringList& values);

// The seven stored texts in key order (absent keys give empty texts).
QStringList readDiaryFontValues(const QString& file);
// Writes the seven keys in key order (the folder is made when missing); false at the first failure.
bool writeDiaryFontValues(const QString& file, const QStringList& values);

} // namespace orvane
