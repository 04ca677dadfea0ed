// Parsing and writing iCalendar text through the library.
#include "common/Ical.h"

namespace orvane {

IcalCalendars parseCalendars(const QByteArray& text) {
    // A broken file is the user's input, never a reason to end the program.
    icalerror_set_errors_are_fatal(0);
    IcalCalendars result;
    // The library reads up to the first NUL; an embedded one cuts the text, as a truncated file would.
    result.root.reset(icalparser_parse_string(text.constData()));
    icalerror_clear_errno();
    if (!result.root)
        return result;
    switch (icalcomponent_isa(result.root.get())) {
    case ICAL_VCALENDAR_COMPONENT:
        result.calendars = {result.root.get()};
        break;
    case ICAL_XROOT_COMPONENT:
        result.calendars = icalChildren(result.root.get(), ICAL_VCALENDAR_COMPONENT);
        break;
    default:
        break;
    }
    return result;
}

QList<icalcomponent*> icalChildren(icalcomponent* parent, icalcomponent_kind kind) {
    QList<icalcomponent*> children;
    for (icalcomponent* c = icalcomponent_get_first_component(parent, kind); c != nullptr;
         c = icalcomponent_get_next_component(parent, kind))
        children << c;
    return children;
}

QByteArray icalFileText(icalcomponent* component) {
    char* text = icalcomponent_as_ical_string_r(component);
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

} // namespace orvane
