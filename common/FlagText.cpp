// Flags stored as text: "真" and "假".
#include "FlagText.h"

namespace orvane {

QString flagText(bool value) {
    return value ? QStringLiteral("真") : QStringLiteral("假");
}

bool readFlag(const QString& text) {
    return text == u"真";
}

} // namespace orvane
