// The iCalendar library as the program uses it: parsed components owned by a handle, texts as QString.
#pragma once

#include <libical/ical.h>

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

namespace orvane {

struct IcalFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using IcalComponent = std::unique_ptr<icalcomponent, IcalFree>;

// The calendars of a text: each VCALENDAR at its top, none when the text is no iCalendar. A text with
// several calendars one after another is read whole.
struct IcalCalendars {
    IcalComponent root;
    QList<icalcomponent*> calendars;
};
IcalCalendars parseCalendars(const QByteArray& text);

// The children of one kind, in the order of the file.
QList<icalcomponent*> icalChildren(icalcomponent* parent, icalcomponent_kind kind);

// A UTF-8 text from the library (null reads as empty).
inline QString icalText(const char* text) {
    return text == nullptr ? QString() : QString::fromUtf8(text);
}

// The whole component as file text, lines ended by CR LF.
QByteArray icalFileText(icalcomponent* component);

} // namespace orvane
