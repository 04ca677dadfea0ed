// The program's date-time value: local time as days since 1899-12-30 in a double, with its text forms.
#pragma once

#include <QDateTime>
#include <QString>

namespace orvane {

struct DateTimeParts {
    int year = 100, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    bool operator==(const DateTimeParts&) const = default;
};

class OleDateTime {
public:
    // 100-01-01 00:00:00 and 9999-12-31 00:00:00 as day counts.
    static const double kMinDays;
    static const double kMaxDays;

    OleDateTime() : days_(kMinDays) {}                    // 100-01-01 00:00:00, the "no date" value
    explicit OleDateTime(double days);                    // clamped into [kMinDays, kMaxDays]
    static bool isValidParts(const DateTimeParts& p);     // a real calendar date and time inside the range
    static OleDateTime fromParts(const DateTimeParts& p); // invalid parts give 100-01-01
    static OleDateTime fromQDateTime(const QDateTime& t); // local wall-clock fields, milliseconds dropped
    // Reads "2010年5月3日08时30分" and the calibration forms ("2010-3-15 12:30:48", full-width digits,
    // "-", "/", ".", ":" as separators, a blank after the day); anything else gives 100-01-01.
    static OleDateTime fromText(const QString& text);

    double days() const { return days_; }
    DateTimeParts parts() const;   // rounded to the nearest second
    QDateTime toQDateTime() const; // local time
    // "%d年%d月%d日" then "%d时%d分%d秒" / "%d时%d分" / "%d时" / nothing, by the last non-zero field.
    QString toText() const;
    OleDateTime addSeconds(qint64 seconds) const; // carries into minutes, hours and days; clamped
    int weekday() const;                          // 1 = Sunday … 7 = Saturday
    bool isNull() const { return days_ == kMinDays; }

    bool operator==(const OleDateTime&) const = default;

private:
    double days_;
};

} // namespace orvane
