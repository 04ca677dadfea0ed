// The iCalendar reader of holiday tables.
#include "calendar/HolidayIcs.h"

#include <QStringList>

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

QDate icsDate(const QString& value) {
    return value.size() == 8 ? QDate::fromString(value, u"yyyyMMdd") : QDate();
}

QString unescaped(QString text) {
    text.replace(QStringLiteral("\\,"), QStringLiteral(","))
        .replace(QStringLiteral("\\;"), QStringLiteral(";"))
        .replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return text.trimmed();
}

// The names in the notices; the published calendars shorten these three.
QString holidayName(const QString& name) {
    for (const char* shortName : {"清明", "端午", "中秋"})
        if (name == QString::fromUtf8(shortName))
            return name + u'节';
    return name;
}

// One VEVENT as it is read.
struct Event {
    int line = 0;
    QDate start, end;
    bool hasEnd = false;
    QString summary;
};

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

} // namespace

std::optional<HolidayTable> parseHolidayIcs(const QByteArray& text, QString* error) {
    const QList<Line> lines = unfold(text);
    if (lines.isEmpty() || lines.first().name != u"BEGIN" || lines.first().value.trimmed() != u"VCALENDAR")
        return failAt(lines.isEmpty() ? 1 : lines.first().number, error);
    QList<HolidayDay> days;
    std::optional<Event> event;
    for (const Line& line : lines) {
        const QString value = line.value.trimmed();
        if (line.name == u"BEGIN" && value == u"VEVENT") {
            if (event)
                return failAt(line.number, error);
            event = Event{line.number, {}, {}, false, {}};
        } else if (line.name == u"END" && value == u"VEVENT") {
            if (!event || !addEvent(*event, days))
                return failAt(event ? event->line : line.number, error);
            event.reset();
        } else if (line.name == u"END" && value == u"VCALENDAR") {
            // Nothing listed is no holiday table either: the import would change nothing.
            if (event || days.isEmpty())
                return failAt(line.number, error);
            return HolidayTable(days);
        } else if (event && line.name == u"DTSTART") {
            if (!(event->start = icsDate(value)).isValid())
                return failAt(line.number, error);
        } else if (event && line.name == u"DTEND") {
            if (!(event->end = icsDate(value)).isValid())
                return failAt(line.number, error);
            event->hasEnd = true;
        } else if (event && line.name == u"SUMMARY") {
            event->summary = unescaped(line.value);
        }
    }
    return failAt(lines.last().number, error); // no END:VCALENDAR: the file was cut short
}

QString holidayYearsText(const HolidayTable& table) {
    QStringList years;
    for (int year : table.years())
        years << QString::number(year);
    return years.join(u'、') + u'年';
}

} // namespace orvane
