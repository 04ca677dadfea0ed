// Reading holiday tables through the iCalendar library.
#include "calendar/HolidayIcs.h"

#include "common/Ical.h"

#include <QStringList>

#include <variant>

namespace orvane {

namespace {

// A property after unfolding, with the file line it starts on.
struct Line {
    int number = 0;
    QString name; // upper case, parameters dropped
    QString value;
};

QList<Line> unfold(const QByteArray& text) {
    QList<Line> lines;
    QString logical;
    int start = 0;
    auto flush = [&] {
        if (logical.isEmpty())
            return;
        const qsizetype colon = logical.indexOf(u':');
        const qsizetype semicolon = logical.indexOf(u';');
        const qsizetype nameEnd = semicolon >= 0 && (colon < 0 || semicolon < colon) ? semicolon : colon;
        lines.append({start, logical.left(nameEnd < 0 ? logical.size() : nameEnd).trimmed().toUpper(),
                      colon < 0 ? QString() : logical.mid(colon + 1)});
        logical.clear();
    };
    const QList<QByteArray> physical = text.split('\n');
    for (int i = 0; i < physical.size(); ++i) {
        QString line = QString::fromUtf8(physical[i]);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (i == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        // RFC 5545 folding: a line that starts with a space or tab continues the one before.
        if (!line.isEmpty() && (line[0] == u' ' || line[0] == u'\t') && !logical.isEmpty()) {
            logical += line.mid(1);
            continue;
        }
        flush();
        logical = line;
        start = i + 1;
    }
    flush();
    return lines;
}

// The names in the notices; the published calendars shorten these three.
QString holidayName(const QString& name) {
    for (const char* shortName : {"清明", "端午", "中秋"})
        if (name == QString::fromUtf8(shortName))
            return name + u'节';
    return name;
}

// One VEVENT as the library read it.
struct Event {
    int line = 0;
    QDate start, end;
    bool hasEnd = false;
    QString summary;
};

// Where an event and its dates stand in the file, for the messages: the library keeps no line numbers.
struct EventLines {
    int begin = 0, start = 0, end = 0; // BEGIN:VEVENT, DTSTART and DTEND (0: none)
};

QDate dateOf(icalproperty* property, icaltimetype (*get)(const icalproperty*)) {
    if (property == nullptr)
        return {};
    const icaltimetype t = get(property);
    return t.is_date && icaltime_is_valid_time(t) ? QDate(t.year, t.month, t.day) : QDate();
}

// The listed days of an event; false when it is not one of ours.
bool addEvent(const Event& event, QList<HolidayDay>& days) {
    const QDate end = event.hasEnd ? event.end : event.start.addDays(1);
    // A holiday lasts days, not years: a longer span is a broken file rather than a holiday.
    if (!event.start.isValid() || !end.isValid() || end <= event.start || event.start.daysTo(end) > 366)
        return false;
    const QString summary = event.summary.trimmed();
    const bool dayOff =
        summary.endsWith(QStringLiteral("(休)")) || summary.endsWith(QStringLiteral("（休）"));
    if (!dayOff && !summary.endsWith(QStringLiteral("(班)")) && !summary.endsWith(QStringLiteral("（班）")))
        return false;
    const QString name = holidayName(summary.chopped(3).trimmed());
    if (name.isEmpty())
        return false;
    for (QDate day = event.start; day < end; day = day.addDays(1))
        days.append({day, dayOff, name});
    return true;
}

std::optional<HolidayTable> failAt(int line, QString* error) {
    if (error != nullptr)
        *error = QStringLiteral("节假日文件格式错误（第 %1 行）").arg(line);
    return std::nullopt;
}

// The calendar's outline from a light scan of its lines: each event's lines, or the line where the
// outline breaks (BEGIN:VCALENDAR not first, an event inside an event, one never ended, no events, no
// END:VCALENDAR).
std::variant<QList<EventLines>, int> outline(const QList<Line>& lines) {
    if (lines.isEmpty() || lines.first().name != u"BEGIN" || lines.first().value.trimmed() != u"VCALENDAR")
        return lines.isEmpty() ? 1 : lines.first().number;
    QList<EventLines> events;
    std::optional<EventLines> event;
    for (const Line& line : lines) {
        const QString value = line.value.trimmed();
        if (line.name == u"BEGIN" && value == u"VEVENT") {
            if (event)
                return line.number;
            event = EventLines{line.number, 0, 0};
        } else if (line.name == u"END" && value == u"VEVENT") {
            if (!event)
                return line.number;
            events << *event;
            event.reset();
        } else if (line.name == u"END" && value == u"VCALENDAR") {
            // Nothing listed is no holiday table either: the import would change nothing.
            if (event || events.isEmpty())
                return line.number;
            return events;
        } else if (event && line.name == u"DTSTART") {
            event->start = line.number;
        } else if (event && line.name == u"DTEND") {
            event->end = line.number;
        }
    }
    return lines.last().number; // no END:VCALENDAR: the file was cut short
}

} // namespace

std::optional<HolidayTable> parseHolidayIcs(const QByteArray& text, QString* error) {
    const std::variant<QList<EventLines>, int> scanned = outline(unfold(text));
    if (const int* broken = std::get_if<int>(&scanned))
        return failAt(*broken, error);
    const QList<EventLines>& lines = std::get<QList<EventLines>>(scanned);
    const IcalCalendars parsed = parseCalendars(text);
    const QList<icalcomponent*> events = parsed.calendars.isEmpty()
                                             ? QList<icalcomponent*>()
                                             : icalChildren(parsed.calendars.first(), ICAL_VEVENT_COMPONENT);
    QList<HolidayDay> days;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const EventLines& at = lines.at(i);
        if (i >= events.size())
            return failAt(at.begin, error);
        icalcomponent* vevent = events.at(i);
        Event event{
            at.begin,
            dateOf(icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY), icalproperty_get_dtstart),
            {},
            false,
            icalText(icalcomponent_get_summary(vevent)).trimmed()};
        if (!event.start.isValid())
            return failAt(at.start != 0 ? at.start : at.begin, error);
        if (at.end != 0) {
            event.end =
                dateOf(icalcomponent_get_first_property(vevent, ICAL_DTEND_PROPERTY), icalproperty_get_dtend);
            if (!event.end.isValid())
                return failAt(at.end, error);
            event.hasEnd = true;
        }
        if (!addEvent(event, days))
            return failAt(at.begin, error);
    }
    return HolidayTable(days);
}

QString holidayYearsText(const HolidayTable& table) {
    QStringList years;
    for (int year : table.years())
        years << QString::number(year);
    return years.join(u'、') + u'年';
}

} // namespace orvane
