// Solar terms from the generated day table.
#include "calendar/SolarTerms.h"

#include "calendar/SolarTermTable.h"

namespace orvane {

namespace {
constexpr char16_t kNames[] = u"小寒大寒立春雨水惊蛰春分清明谷雨立夏小满芒种夏至"
                              u"小暑大暑立秋处暑白露秋分寒露霜降立冬小雪大雪冬至";
} // namespace

QString solarTermName(int term) {
    if (term < 0 || term >= kSolarTerms)
        return {};
    return QString::fromUtf16(kNames + 2 * term, 2);
}

QDate solarTermDate(int year, int term) {
    using namespace solar_term_table;
    if (year < kFirstYear || year > kLastYear || term < 0 || term >= kSolarTerms)
        return {};
    const int digit = kTermDays[static_cast<std::size_t>(year - kFirstYear)][term] - '0';
    return QDate(year, term / 2 + 1, digit + (term % 2 == 0 ? 3 : 18));
}

int solarTermOnOrBefore(QDate date, int* year) {
    if (!date.isValid())
        return -1;
    // Terms of a month fall on or after its 3rd: the last term is in this month or the one before.
    for (int y = date.year(); y >= date.year() - 1; --y) {
        for (int term = kSolarTerms - 1; term >= 0; --term) {
            const QDate day = solarTermDate(y, term);
            if (day.isValid() && day <= date) {
                if (year)
                    *year = y;
                return term;
            }
        }
    }
    return -1;
}

} // namespace orvane
