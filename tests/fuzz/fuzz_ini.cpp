// The INI reader on any file: reading never fails loudly, and a key written into that file reads back.
#include "FuzzInput.h"
#include "platform/IniProfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("sys.ini"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    out.write(fuzz::bytes(data, size));
    out.close();
    const QString section = QStringLiteral("系统设置"), key = QStringLiteral("开机自动运行");
    IniProfile::read(file, section, key);
    IniProfile::read(file, QStringLiteral("a"), QStringLiteral("b"));
    const QString value = QStringLiteral(" 真 =|[x] ");
    if (IniProfile::write(file, section, key, value, IniProfile::defaultPermissions()))
        fuzz::require(IniProfile::read(file, section, key) == value, "written key reads back");
    return 0;
}
