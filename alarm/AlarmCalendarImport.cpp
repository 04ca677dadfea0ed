// Reading alarms from an iCalendar file: ours exactly, other programs' events where an alarm can say
// the same.
#include "alarm/AlarmCalendar.h"

#include "alarm/AlarmCalendarFormat.h"
#include "alarm/AlarmCodec.h"
#include "common/Ical.h"

#include <QDateTime>

namespace orvane {

namespace {

constexpr quint8 kAllDays = 0x7f;

// The stored texts of an event we wrote; none for anybody else's.
std::optional<AlarmTexts> ourTexts(icalcomponent* event) {
    std::optional<QString> due, ring, prompt;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
        const QByteArray name = icalproperty_get_x_name(p);
        std::optional<QString>* text = name == kDueProperty      ? &due
                                       : name == kRingProperty   ? &ring
                                       : name == kPromptProperty ? &prompt
                                                                 : nullptr;
        if (text != nullptr)
            *text = storedText(icalproperty_get_x(p));
    }
    if (!due || !ring || !prompt)
        return std::nullopt;
    return AlarmTexts{*due, *ring, *prompt};
}

bool hasProperty(icalcomponent* event, icalproperty_kind kind) {
    return icalcomponent_get_first_property(event, kind) != nullptr;
}

// Bit d−1 for weekday d (1 Monday … 7 Sunday) of the library's weekdays (1 Sunday … 7 Saturday).
quint8 weekdayBit(int icalWeekday) {
    return quint8(1 << ((icalWeekday + 5) % 7));
}

// A set moved by whole days (an event on Monday 23:30 in New York rings on Tuesday in China).
quint8 movedDays(quint8 days, qint64 by) {
    const int shift = int(((by % 7) + 7) % 7);
    return quint8(((days << shift) | (days >> (7 - shift))) & kAllDays);
}

bool anyOf(const short* values, int size) {
    return size > 0 && values[0] != ICAL_RECURRENCE_ARRAY_MAX;
}

struct Reading {
    std::optional<AlarmValues> values;
    QString reason; // why not, when there are no values
};

Reading failed(const QString& reason) {
    return {std::nullopt, reason};
}

// The rule of a repeat an alarm can follow: daily (every N days), weekly, on a set of weekdays.
std::optional<AlarmRule> ruleOf(const icalrecurrencetype& r, int startWeekday, qint64 dayShift) {
    const bool otherParts =
        anyOf(r.by_second, ICAL_BY_SECOND_SIZE) || anyOf(r.by_minute, ICAL_BY_MINUTE_SIZE) ||
        anyOf(r.by_hour, ICAL_BY_HOUR_SIZE) || anyOf(r.by_month_day, ICAL_BY_MONTHDAY_SIZE) ||
        anyOf(r.by_year_day, ICAL_BY_YEARDAY_SIZE) || anyOf(r.by_week_no, ICAL_BY_WEEKNO_SIZE) ||
        anyOf(r.by_month, ICAL_BY_MONTH_SIZE) || anyOf(r.by_set_pos, ICAL_BY_SETPOS_SIZE);
    if (otherParts)
        return std::nullopt;
    quint8 days = 0;
    for (int i = 0; i < ICAL_BY_DAY_SIZE && r.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        if (icalrecurrencetype_day_position(r.by_day[i]) != 0)
            return std::nullopt; // "the first Monday": a monthly idea
        days |= weekdayBit(icalrecurrencetype_day_day_of_week(r.by_day[i]));
    }
    const int interval = std::max<int>(1, r.interval);
    if (r.freq == ICAL_DAILY_RECURRENCE && days == 0) {
        if (interval == 1)
            return AlarmRule{RuleKind::Daily, 0, 0, 0, 0};
        if (interval > kLongestShiftPart)
            return std::nullopt;
        return AlarmRule{RuleKind::Shift, 0, 0, 1, quint8(interval - 1)};
    }
    if (interval != 1 || (r.freq != ICAL_DAILY_RECURRENCE && r.freq != ICAL_WEEKLY_RECURRENCE))
        return std::nullopt;
    days = days == 0 ? weekdayBit(startWeekday) : movedDays(days, dayShift);
    // Read back from its word, so that one day is "星期X" and all seven "每天".
    return ruleFromText(ruleText({RuleKind::WeekdaySet, 0, days, 0, 0}));
}

Reading readEvent(icalcomponent* event, QDate today) {
    if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
        return failed(QStringLiteral("已取消"));
    if (hasProperty(event, ICAL_RECURRENCEID_PROPERTY))
        return failed(QStringLiteral("重复事件中单独改过的一次"));
    if (!hasProperty(event, ICAL_DTSTART_PROPERTY))
        return failed(QStringLiteral("没有开始时间"));
    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start))
        return failed(QStringLiteral("没有开始时间"));
    if (start.is_date)
        return failed(QStringLiteral("全天事件，没有时间"));
    const QDate startDate(start.year, start.month, start.day);
    QDateTime local(startDate, QTime(start.hour, start.minute));
    // A time in a zone (or UTC) rings at the same instant here; a floating one at its own hour.
    if (start.zone != nullptr)
        local = QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(start, start.zone));
    // The stored date text holds years of four digits at most, and none before the calendars we know.
    if (!local.isValid() || local.date().year() < 1900 || local.date().year() > 9999)
        return failed(QStringLiteral("没有开始时间"));

    AlarmValues values;
    values.date = local.date();
    values.hour = local.time().hour();
    values.minute = local.time().minute();
    // A "|" would cut the stored text; the full-width bar reads the same. The reminder is one line.
    values.reminder = icalText(icalcomponent_get_summary(event)).replace(u'|', u'｜');
    for (QChar& c : values.reminder)
        if (c.category() == QChar::Other_Control)
            c = u' ';

    // Dates added to a repeat cannot be followed; dates taken out (EXDATE) are ignored: the alarm rings on
    // them too, which loses nothing.
    if (hasProperty(event, ICAL_RDATE_PROPERTY))
        return failed(QStringLiteral("有另加的日期"));
    const int rrules = icalcomponent_count_properties(event, ICAL_RRULE_PROPERTY);
    if (rrules == 0) {
        if (values.date < today)
            return failed(QStringLiteral("时间已过"));
        values.rule = {RuleKind::Once, 0, 0, 0, 0};
        return {values, {}};
    }
    const icalrecurrencetype r =
        icalproperty_get_rrule(icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY));
    if (r.count > 0 || !icaltime_is_null_time(r.until))
        return failed(QStringLiteral("重复有次数或截止日期"));
    const std::optional<AlarmRule> rule =
        rrules == 1 ? ruleOf(r, icaltime_day_of_week(start), startDate.daysTo(values.date)) : std::nullopt;
    if (!rule)
        return failed(QStringLiteral("不支持的重复方式"));
    values.rule = *rule;
    return {values, {}};
}

} // namespace

CalendarImport readCalendar(const QByteArray& ics, QDate today) {
    CalendarImport result;
    const IcalCalendars parsed = parseCalendars(ics);
    if (parsed.calendars.isEmpty()) {
        result.error = QStringLiteral("文件不是 iCalendar 日历格式");
        return result;
    }
    for (icalcomponent* calendar : parsed.calendars) {
        for (icalcomponent* event : icalChildren(calendar, ICAL_VEVENT_COMPONENT)) {
            if (const std::optional<AlarmTexts> texts = ourTexts(event)) {
                result.alarms << *texts;
                continue;
            }
            const Reading reading = readEvent(event, today);
            if (reading.values) {
                result.alarms << encodeAlarm(*reading.values);
            } else {
                QString name = icalText(icalcomponent_get_summary(event)).simplified();
                if (name.isEmpty())
                    name = QStringLiteral("无标题");
                result.skipped << name + u'（' + reading.reason + u'）';
            }
        }
    }
    return result;
}

} // namespace orvane
