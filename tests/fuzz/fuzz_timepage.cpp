// The time page reader: any page gives a date window of at most 14 bytes and either no time or one
// inside the date range.
#include "FuzzInput.h"
#include "net/TimeCalibration.h"

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray page = fuzz::bytes(data, size);
    fuzz::require(timePageDateText(page).size() <= 14, "date window");
    fuzz::require(!timePageDateText(page).contains('\''), "apostrophes removed");
    const OleDateTime t = timeFromPage(page, 3);
    // Days before 1899-12-30 carry their time of day away from zero, so the range is checked by year.
    fuzz::require(t.parts().year >= 100 && t.parts().year <= 9999, "in range");
    return 0;
}
