// The carried holiday table. Filled by tools/make-holidays from the published data; empty until then,
// so that every year follows the week.
#include "calendar/Holidays.h"

namespace orvane {

const HolidayTable& HolidayTable::carried() {
    static const HolidayTable table;
    return table;
}

} // namespace orvane
