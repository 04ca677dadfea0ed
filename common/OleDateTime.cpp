// The date-time value: proleptic Gregorian day arithmetic, day counts with their negative-day rule, text
// forms.
#include "OleDateTime.h"

#include <QDate>
#include <QTime>

#include <algorithm>
#include <cmath>

namespace orvane {

const double OleDateTime::kMinDays = -657434.0; // 100-01-01
const double OleDateTime::kMaxDays = 2958465.0; // 9999-12-31

namespace {

constexpr qint64 kSecondsPerDay = 86400;
constexpr qint64 kEpochFromCivil = 25569; // 1899-12-30 counted from 1970-01-01 backwards

// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar (valid for any year).
qint64 daysFromCivil(qint64 y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    int year, month, day;
};

Civil civilFromDays(qint64 z) {
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    return {int(yoe + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// A day count split into its calendar day (days since 1899-12-30) and the second of that day. Before
// 1899-12-30 the integer part counts days backwards while the fraction still adds the time of day,
// so -1.25 is 1899-12-29 06:00: the day is the integer part and the time the magnitude of the fraction.
struct Split {
    qint64 day;
    qint64 second;
};

Split split(double days) {
    const double whole = std::trunc(days);
    Split s{qint64(whole), std::llround(std::fabs(days - whole) * kSecondsPerDay)};
    if (s.second >= kSecondsPerDay) { // 23:59:59.9999 rounds into the next calendar day
        s.day += 1;
        s.second -= kSecondsPerDay;
    }
    return s;
}

// The time running forwards, in days: what the clamp compares.
double linear(double days) {
    const double whole = std::trunc(days);
    return whole + std::fabs(days - whole);
}

double joinDays(qint64 day, qint64 second) {
    const double fraction = double(second) / kSecondsPerDay;
    return day >= 0 ? double(day) + fraction : double(day) - fraction;
}

qint64 totalSeconds(const Split& s) {
    return s.day * kSecondsPerDay + s.second;
}

OleDateTime fromTotalSeconds(qint64 total) {
    const qint64 lo = qint64(OleDateTime::kMinDays) * kSecondsPerDay;
    const qint64 hi = qint64(OleDateTime::kMaxDays) * kSecondsPerDay;
    total = std::clamp(total, lo, hi);
    qint64 day = total / kSecondsPerDay;
    qint64 second = total % kSecondsPerDay;
    if (second < 0) {
        second += kSecondsPerDay;
        day -= 1;
    }
    return OleDateTime(joinDays(day, second));
}

// ---- Reading text ----

int digitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'\uFF10' && u <= u'\uFF19') // full-width digits
        return u - u'\uFF10';
    return -1;
}

bool isSign(QChar c) {
    return c == u'-' || c == u'/' || c == u'.' || c == u':';
}

bool readParts(const QString& text, DateTimeParts& p) {
    int* const fields[6] = {&p.year, &p.month, &p.day, &p.hour, &p.minute, &p.second};
    static constexpr char16_t kSuffix[6] = {u'年', u'月', u'日', u'时', u'分', u'秒'};
    p = DateTimeParts{0, 0, 0, 0, 0, 0};
    qsizetype pos = 0;
    const qsizetype n = text.size();
    for (int f = 0; f < 6; ++f) {
        if (pos == n) // the text may end after any field's closing sign; missing fields stay 0
            return f > 0;
        const int maxDigits = f == 0 ? 4 : 2;
        for (int count = 0; count < maxDigits && pos < n; ++count, ++pos) {
            const int v = digitValue(text.at(pos));
            if (v < 0)
                break;
            *fields[f] = *fields[f] * 10 + v;
        }
        if (pos == n)
            return f == 5; // only the second may end without its sign
        const QChar c = text.at(pos++);
        const bool closes = c == kSuffix[f] || (f < 5 && isSign(c)) || (f == 2 && c == u' ');
        if (!closes)
            return false;
    }
    return pos == n;
}

} // namespace

OleDateTime::OleDateTime(double days) {
    if (std::isnan(days))
        days_ = kMinDays;
    else if (std::isinf(days))
        days_ = days > 0 ? kMaxDays : kMinDays;
    else if (linear(days) < kMinDays)
        days_ = kMinDays;
    else if (linear(days) > kMaxDays)
        days_ = kMaxDays;
    else
        days_ = days;
}

bool OleDateTime::isValidParts(const DateTimeParts& p) {
    if (p.year < 100 || p.year > 9999 || p.month < 1 || p.month > 12)
        return false;
    if (p.day < 1 || p.day > daysInMonth(p.year, p.month))
        return false;
    if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || p.second < 0 || p.second > 59)
        return false;
    const bool lastDay = p.year == 9999 && p.month == 12 && p.day == 31;
    return !lastDay || (p.hour == 0 && p.minute == 0 && p.second == 0);
}

OleDateTime OleDateTime::fromParts(const DateTimeParts& p) {
    if (!isValidParts(p))
        return OleDateTime();
    const qint64 day = daysFromCivil(p.year, p.month, p.day) + kEpochFromCivil;
    return OleDateTime(joinDays(day, p.hour * 3600 + p.minute * 60 + p.second));
}

OleDateTime OleDateTime::fromQDateTime(const QDateTime& t) {
    if (!t.isValid())
        return OleDateTime();
    const QDateTime local = t.toLocalTime();
    const QDate d = local.date();
    const QTime tm = local.time();
    if (d.year() < 100)
        return OleDateTime();
    if (d.year() > 9999)
        return OleDateTime(kMaxDays);
    const qint64 day = daysFromCivil(d.year(), d.month(), d.day()) + kEpochFromCivil;
    return fromTotalSeconds(day * kSecondsPerDay + tm.hour() * 3600 + tm.minute() * 60 + tm.second());
}

OleDateTime OleDateTime::fromText(const QString& text) {
    DateTimeParts p;
    return readParts(text, p) ? fromParts(p) : OleDateTime();
}

DateTimeParts OleDateTime::parts() const {
    const Split s = split(days_);
    const Civil c = civilFromDays(s.day - kEpochFromCivil);
    return {c.year, c.month, c.day, int(s.second / 3600), int(s.second / 60 % 60), int(s.second % 60)};
}

QDateTime OleDateTime::toQDateTime() const {
    const DateTimeParts p = parts();
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second));
}

QString OleDateTime::toText() const {
    const DateTimeParts p = parts();
    QString text = QStringLiteral("%1年%2月%3日").arg(p.year).arg(p.month).arg(p.day);
    if (p.second != 0)
        text += QStringLiteral("%1时%2分%3秒").arg(p.hour).arg(p.minute).arg(p.second);
    else if (p.minute != 0)
        text += QStringLiteral("%1时%2分").arg(p.hour).arg(p.minute);
    else if (p.hour != 0)
        text += QStringLiteral("%1时").arg(p.hour);
    return text;
}

OleDateTime OleDateTime::addSeconds(qint64 seconds) const {
    // Far beyond the whole range either way, so the sum cannot overflow and still clamps.
    constexpr qint64 kLimit = qint64(1) << 50;
    return fromTotalSeconds(totalSeconds(split(days_)) + std::clamp(seconds, -kLimit, kLimit));
}

int OleDateTime::weekday() const {
    const qint64 day = split(days_).day; // day 0, 1899-12-30, was a Saturday
    return int(((day % 7) + 7 + 6) % 7) + 1;
}

} // namespace orvane
