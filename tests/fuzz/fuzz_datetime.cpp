// The date-time text reader: whatever it accepts, its own writer's text reads back to the same value.
#include "FuzzInput.h"
#include "common/OleDateTime.h"

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const OleDateTime read = OleDateTime::fromText(QString::fromUtf8(fuzz::bytes(data, size)));
    // Days before 1899-12-30 carry their time of day away from zero, so the range is checked by year.
    fuzz::require(read.parts().year >= 100 && read.parts().year <= 9999, "in range");
    if (!read.isNull())
        fuzz::require(OleDateTime::fromText(read.toText()) == read, "written text reads back");
    return 0;
}
