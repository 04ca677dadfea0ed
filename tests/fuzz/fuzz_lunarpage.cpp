// The lunar service's page and form: any answer page gives seven lines, a cut value ends at its
// terminator, and the built-in service answers any body without a crash.
#include "FuzzInput.h"
#include "calendar/LunarExchange.h"

#include <QDate>

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray page = fuzz::bytes(data, size);
    const QString lines = lunarResultText(page);
    fuzz::require(lines.count(QStringLiteral("\r\n")) >= 7, "seven lines");
    // The value is a window of the page that ends right before its terminator.
    const QByteArray value = cutMarkedValue(page, page.left(3), '<');
    fuzz::require(value.isEmpty() || page.contains(QByteArray(value + '<')), "value ends at its terminator");
    const QByteArray answer = builtInLunarPage(page, QDate(2026, 12, 7));
    fuzz::require(lunarResultText(answer).count(QStringLiteral("\r\n")) >= 7,
                  "built-in answer has seven lines");
    return 0;
}
