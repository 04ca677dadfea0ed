// Date calculator arithmetic over the program's date-time value.
#include "calendar/DateArithmetic.h"

#include "common/NumberText.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int monthLength(int y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// Year, month and day after a year or month shift: clamped into the range, the day cut to the month.
OleDateTime normalised(DateTimeParts p, qint64 year, qint64 month) {
    p.year = int(std::clamp<qint64>(year, 100, 9999));
    p.month = int(std::clamp<qint64>(month, 1, 12));
    p.day = std::min(p.day, monthLength(p.year, p.month));
    if (!OleDateTime::isValidParts(p)) // only the last day of the range with a time of day is left
        return OleDateTime(OleDateTime::kMaxDays);
    return OleDateTime::fromParts(p);
}

// Days running forwards: before 1899-12-30 the stored fraction counts the other way.
double linearDays(const OleDateTime& t) {
    const double whole = std::trunc(t.days());
    return whole + std::fabs(t.days() - whole);
}

// Whole hours, minutes or seconds of a day interval: the half second lifts values computed a hair
// below a whole unit before the cut.
double wholeUnits(double days, double perDay) {
    constexpr double kHalfSecond = 5.787037037037037e-6;
    double v = perDay * days;
    if (v > 0)
        v += kHalfSecond;
    else if (v < 0)
        v -= kHalfSecond;
    return std::trunc(v);
}

QChar asciiOf(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'\uFF01' && u <= u'\uFF5E') // full-width forms of the ASCII signs and digits
        return QChar(char16_t(u - 0xFEE0));
    return c;
}

} // namespace

OleDateTime AddToDate(const OleDateTime& t, qint64 amount, int unit) {
    const DateTimeParts p = t.parts();
    // Years beyond this shift any date out of the range; the clamp keeps the sums from overflowing.
    const auto years = [](qint64 shift) { return std::clamp<qint64>(shift, -20000, 20000); };
    if (unit == kUnitYears)
        return normalised(p, p.year + years(amount), p.month);
    if (unit == kUnitMonths) { // the month carries whole years; the year alone is clamped afterwards
        qint64 yearShift = amount / 12;
        qint64 month = p.month - 1 + amount % 12;
        if (month < 0) {
            month += 12;
            --yearShift;
        } else if (month >= 12) {
            month -= 12;
            ++yearShift;
        }
        return normalised(p, p.year + years(yearShift), month + 1);
    }
    // Far beyond the range in days, and small enough that no product below overflows.
    amount = std::clamp<qint64>(amount, -10'000'000'000, 10'000'000'000);
    switch (unit) {
    case kUnitDays:
        return t.addSeconds(amount * 86400);
    case kUnitHours:
        return t.addSeconds(amount * 3600);
    case kUnitMinutes:
        return t.addSeconds(amount * 60);
    case kUnitSeconds:
        return t.addSeconds(amount);
    default:
        return t;
    }
}

double DateDifference(const OleDateTime& t1, const OleDateTime& t2, int unit) {
    const DateTimeParts a = t1.parts();
    const DateTimeParts b = t2.parts();
    const double days = linearDays(t1) - linearDays(t2);
    switch (unit) {
    case kUnitYears:
        return a.year - b.year;
    case kUnitMonths:
        return 12 * (a.year - b.year) + a.month - b.month;
    case kUnitDays:
        return days;
    case kUnitHours:
        return wholeUnits(days, 24);
    case kUnitMinutes:
        return wholeUnits(days, 1440);
    case kUnitSeconds:
        return wholeUnits(days, 86400);
    default:
        return 0;
    }
}

OleDateTime readDateFields(const QStringList& fields) {
    static constexpr char16_t kSuffix[6] = {u'年', u'月', u'日', u'时', u'分', u'秒'};
    QString text;
    for (int i = 0; i < 6; ++i)
        text += fields.value(i) + QChar(kSuffix[i]);
    return OleDateTime::fromText(text);
}

QStringList dateFieldTexts(const OleDateTime& t) {
    static constexpr char16_t kSuffix[6] = {u'年', u'月', u'日', u'时', u'分', u'秒'};
    const QString text = t.toText();
    QStringList fields;
    qsizetype from = 0;
    for (char16_t suffix : kSuffix) {
        const qsizetype at = text.indexOf(QChar(suffix), from);
        if (at < 0) {
            fields.append(QString());
            continue;
        }
        fields.append(text.mid(from, at - from));
        from = at + 1;
    }
    return fields;
}

qint64 readAmount(const QString& text) {
    QString ascii = text;
    for (QChar& c : ascii)
        c = asciiOf(c);
    return truncToInt(readNumber(ascii));
}

QString differenceMessage(double interval, const QString& unitText) {
    return QStringLiteral("日期相差") + numberText(interval) + unitText;
}

} // namespace orvane
