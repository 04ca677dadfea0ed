// The leading-number reader and the number writer: no crash, and a finite reading survives its text.
#include "FuzzInput.h"
#include "common/NumberText.h"

#include <cmath>

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const double value = readNumber(QString::fromUtf8(fuzz::bytes(data, size)));
    truncToInt(value);
    if (std::isfinite(value)) {
        const double again = readNumber(numberText(value));
        // %.13g keeps 13 significant digits.
        fuzz::require(again == value || std::fabs(again - value) <= std::fabs(value) * 1e-12,
                      "written number reads back");
    }
    return 0;
}
