// Writing the alarms as an iCalendar file, and the import's summary.
#include "alarm/AlarmCalendar.h"

#include "alarm/AlarmCalendarFormat.h"
#include "alarm/AlarmCodec.h"
#include "alarm/AlarmEngine.h"
#include "common/Ical.h"
#include "common/Log.h"

namespace orvane {

namespace {

// Alarm times are wall-clock times ("07:30 wherever the clock is"), which the format calls floating: no
// zone, so every reader shows them at that hour in its own zone, as the alarm rings.
icaltimetype floatingTime(qint64 minute) {
    const QDate date = dateOfMinute(minute);
    const int m = int(minute % kMinutesPerDay);
    icaltimetype t = icaltime_null_time();
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    t.hour = m / 60;
    t.minute = m % 60;
    t.is_date = 0;
    return t;
}

// The repeat of the rules other calendars know; empty for a single ring or rules that list dates.
QByteArray recurrence(const AlarmRule& rule) {
    static const char* const days[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    switch (rule.kind) {
    case RuleKind::Daily:
        return "FREQ=DAILY";
    case RuleKind::Weekly:
        return QByteArray("FREQ=WEEKLY;BYDAY=") + days[rule.weekday - 1];
    case RuleKind::WeekdaySet: {
        QByteArrayList set;
        for (int day = 0; day < 7; ++day)
            if (rule.weekdays & (1 << day))
                set << days[day];
        return "FREQ=WEEKLY;BYDAY=" + set.join(',');
    }
    case RuleKind::Shift:
        // "每隔N天" rings every Nth day from its stored date: the standard's interval.
        if (rule.on == 1)
            return "FREQ=DAILY;INTERVAL=" + QByteArray::number(rule.off + 1);
        return {};
    default:
        return {};
    }
}

void add(icalcomponent* component, icalproperty* property) {
    icalcomponent_add_property(component, property);
}

void addX(icalcomponent* event, const char* name, const QString& text) {
    icalproperty* property = icalproperty_new_x(storedTextValue(text).constData());
    icalproperty_set_x_name(property, name);
    icalcomponent_add_property(event, property);
}

icalcomponent* reminder(icalproperty_action action, const QString& text) {
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(action));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    if (action == ICAL_ACTION_DISPLAY)
        icalcomponent_add_property(alarm, icalproperty_new_description(text.toUtf8().constData()));
    return alarm;
}

// The event of one alarm; none when it can never ring.
icalcomponent* eventOf(const Alarm& alarm, const NextRing& nextRing, QDate today) {
    const AlarmTime& time = alarm.time;
    if (time.rule.kind == RuleKind::Unknown)
        return nullptr;
    const qint64 stored = time.firstDay * kMinutesPerDay + time.minuteOfDay;
    const QByteArray rrule = recurrence(time.rule);
    QList<qint64> rings;
    if (time.rule.kind == RuleKind::Once) {
        rings << stored;
    } else if (!rrule.isEmpty()) {
        // The first ring, which the standard counts as one whether or not the rule names its day.
        if (const std::optional<qint64> first = time.nextAt(stored))
            rings << *first;
    } else {
        // The rules of China's calendar and the shifts: their rings of the coming twelve months.
        const qint64 end = minuteKey(today.addYears(1), 0);
        for (std::optional<qint64> at = nextRing(alarm, std::max(stored, minuteKey(today, 0)));
             at && *at < end; at = nextRing(alarm, *at + 1))
            rings << *at;
        if (rings.isEmpty())
            rings << stored; // none this year: kept for our own import all the same
    }
    if (rings.isEmpty())
        return nullptr;

    icalcomponent* event = icalcomponent_new_vevent();
    const QByteArray uid = "alarm-" + QByteArray::number(alarm.key) + "@orvane-clock";
    add(event, icalproperty_new_uid(uid.constData()));
    // Made on the export's day (the file's own moment needs no clock of its own).
    icaltimetype stamp = floatingTime(minuteKey(today, 0));
    stamp = icaltime_set_timezone(&stamp, icaltimezone_get_utc_timezone());
    add(event, icalproperty_new_dtstamp(stamp));
    add(event, icalproperty_new_dtstart(floatingTime(rings.first())));
    if (!rrule.isEmpty()) {
        add(event, icalproperty_new_rrule(icalrecurrencetype_from_string(rrule.constData())));
        // A ring the user skipped ("跳过下次") is taken out of the repeat. It was the next ring when it was
        // skipped: one of the first two from the start of today (today's may have rung already).
        std::optional<qint64> plain = time.nextAt(std::max(rings.first(), minuteKey(today, 0)));
        for (int i = 0; i < 2 && plain; ++i, plain = time.nextAt(*plain + 1)) {
            if (nextRing(alarm, *plain) != plain) {
                add(event, icalproperty_new_exdate(floatingTime(*plain)));
                break;
            }
        }
    }
    for (qsizetype i = 1; i < rings.size(); ++i) {
        icaldatetimeperiodtype date{};
        date.time = floatingTime(rings.at(i));
        date.period = icalperiodtype_null_period();
        add(event, icalproperty_new_rdate(date));
    }
    // What calendars show: one line, whatever the stored text holds.
    QString summary = alarm.reminder.isEmpty() ? QStringLiteral("闹钟") : alarm.reminder;
    for (QChar& c : summary)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    add(event, icalproperty_new_summary(summary.toUtf8().constData()));
    if (rrule.isEmpty() && time.rule.kind != RuleKind::Once)
        add(event, icalproperty_new_description(
                       QString(QStringLiteral("重复：") + alarm.rule).toUtf8().constData()));
    addX(event, kRuleProperty, alarm.rule);
    addX(event, kDueProperty, alarm.texts.due);
    addX(event, kRingProperty, alarm.texts.ring);
    addX(event, kPromptProperty, alarm.texts.prompt);
    icalcomponent_add_component(event, reminder(ICAL_ACTION_DISPLAY, summary));
    if (alarm.rings())
        icalcomponent_add_component(event, reminder(ICAL_ACTION_AUDIO, summary));
    return event;
}

} // namespace

QByteArray exportAlarms(const QList<Alarm>& alarms, const NextRing& nextRing, QDate today) {
    IcalComponent calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kProductId));
    for (const Alarm& alarm : alarms) {
        if (icalcomponent* event = eventOf(alarm, nextRing, today))
            icalcomponent_add_component(calendar.get(), event);
        else
            qCWarning(lcAlarm) << "alarm" << alarm.key << "never rings: left out of the calendar export";
    }
    return icalFileText(calendar.get());
}

QByteArray exportCalendar(const AlarmEngine& engine, QDate today) {
    QList<Alarm> alarms;
    for (int row = 0; row < engine.model().size(); ++row)
        alarms << engine.model().at(row);
    return exportAlarms(
        alarms, [&engine](const Alarm& alarm, qint64 from) { return engine.nextRingOf(alarm, from); }, today);
}

QString importSummary(int added, const QStringList& skipped) {
    QString text = QStringLiteral("导入 %1 个闹钟").arg(added);
    if (skipped.isEmpty())
        return text;
    // One line: the first few events by name, the rest counted.
    constexpr int kNamed = 5;
    text += QStringLiteral("，跳过 %1 个：").arg(skipped.size()) + skipped.mid(0, kNamed).join(u'、');
    if (skipped.size() > kNamed)
        text += QStringLiteral("等");
    return text;
}

} // namespace orvane
