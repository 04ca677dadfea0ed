// The INI reader on any file's bytes, in memory: reading never fails loudly, a key written into that file
// reads back, and the write leaves another key as it was.
#include "FuzzInput.h"
#include "platform/IniProfile.h"

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file = fuzz::bytes(data, size);
    const QString section = QStringLiteral("系统设置"), key = QStringLiteral("开机自动运行");
    const QString other = IniProfile::readText(file, QStringLiteral("a"), QStringLiteral("b"));
    const QString value = QStringLiteral(" 真 =|[x] ");
    if (const std::optional<QByteArray> written = IniProfile::writeText(file, section, key, value)) {
        fuzz::require(IniProfile::readText(*written, section, key) == value, "written key reads back");
        fuzz::require(IniProfile::readText(*written, QStringLiteral("a"), QStringLiteral("b")) == other,
                      "another key is kept");
    }
    return 0;
}
