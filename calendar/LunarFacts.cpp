// Pillars, terms, mansions and sound elements of a date, from the lunar and solar-term tables.
#include "calendar/LunarFacts.h"

#include "calendar/LunarCalendar.h"
#include "calendar/SolarTerms.h"

namespace orvane {

namespace {

constexpr char16_t kStems[] = u"甲乙丙丁戊己庚辛壬癸";
constexpr char16_t kBranches[] = u"子丑寅卯辰巳午未申酉戌亥";
constexpr char16_t kWeekdays[] = u"一二三四五六日";
constexpr char16_t kNaYin[] = u"海中金炉中火大林木路旁土剑锋金山头火涧下水城头土白蜡金杨柳木"
                              u"泉中水屋上土霹雳火松柏木长流水沙中金山下火平地木壁上土金箔金"
                              u"覆灯火天河水大驿土钗钏金桑柘木大溪水沙中土天上火石榴木大海水";
constexpr char16_t kMansions[] = u"角木蛟亢金龙氐土貉房日兔心月狐尾火虎箕水豹斗木獬牛金牛女土蝠"
                                 u"虚日鼠危月燕室火猪壁水貐奎木狼娄金狗胃土雉昴日鸡毕月乌觜火猴"
                                 u"参水猿井木犴鬼金羊柳土獐星日马张月鹿翼火蛇轸水蚓";
// 2007-09-13, a Thursday, was a day of 角; each mansion keeps its weekday (角 always a Thursday).
const qint64 kMansionAnchor = QDate(2007, 9, 13).toJulianDay();

bool inRange(QDate date) {
    return date.isValid() && date.year() >= 1901 && date.year() <= 2099;
}

int mod(qint64 value, int n) {
    return int((value % n + n) % n);
}

QString monthDay(QDate date) {
    return QString::number(date.month()) + u'月' + QString::number(date.day()) + u'日';
}

} // namespace

QString sexagenaryName(int index) {
    if (index < 0 || index >= 60)
        return {};
    return QString(QChar(kStems[index % 10])) + QChar(kBranches[index % 12]);
}

QString naYin(int index) {
    if (index < 0 || index >= 60)
        return {};
    return QString::fromUtf16(kNaYin + 3 * (index / 2), 3);
}

int yearPillar(QDate date) {
    if (!inRange(date))
        return -1;
    const int year = date < solarTermDate(date.year(), 2) ? date.year() - 1 : date.year(); // 2 = 立春
    return mod(year - 1984, 60);                                                           // 1984 was 甲子
}

int monthPillar(QDate date) {
    if (!inRange(date))
        return -1;
    int termYear = 0;
    int term = solarTermOnOrBefore(date, &termYear);
    term -= term % 2;                            // the month runs from its 节, the even terms
    const int fromTiger = mod(term / 2 - 1, 12); // 立春 opens 寅, the first month; 小寒 opens 丑
    // The month pillars repeat every five years: a 甲 or 己 year opens with 丙寅.
    return mod(qint64(yearPillar(date)) * 12 + fromTiger + 2, 60);
}

int dayPillar(QDate date) {
    return date.isValid() ? mod(date.toJulianDay() + 49, 60) : -1; // 1949-10-01 was 甲子
}

QString gregorianText(QDate date) {
    return QString::number(date.year()) + u'年' + monthDay(date) + QStringLiteral(" 星期") +
           QChar(kWeekdays[date.dayOfWeek() - 1]);
}

QString lunarText(QDate date) {
    const auto lunar = lunarFromSolar(date);
    if (!lunar)
        return {};
    return sexagenaryYearName(lunar->year) + u'年' + u'(' + zodiacAnimal(lunar->year) + u')' +
           lunarMonthName(lunar->month, lunar->leap) + lunarDayName(lunar->day);
}

QString fourPillarsText(QDate date) {
    if (!inRange(date))
        return {};
    return sexagenaryName(yearPillar(date)) + u' ' + sexagenaryName(monthPillar(date)) + u' ' +
           sexagenaryName(dayPillar(date));
}

QString solarTermText(QDate date) {
    int year = 0;
    const int last = solarTermOnOrBefore(date, &year);
    if (last < 0)
        return {};
    if (solarTermDate(year, last) == date)
        return solarTermName(last);
    const int next = (last + 1) % kSolarTerms;
    const QDate nextDate = solarTermDate(next == 0 ? year + 1 : year, next);
    return solarTermName(last) + QStringLiteral("后，") + solarTermName(next) + u'(' + monthDay(nextDate) +
           QStringLiteral(")前");
}

QString lunarMansion(QDate date) {
    if (!date.isValid())
        return {};
    return QString::fromUtf16(kMansions + 3 * mod(date.toJulianDay() - kMansionAnchor, 28), 3);
}

QString naYinText(QDate date) {
    if (!inRange(date))
        return {};
    return naYin(yearPillar(date)) + u' ' + naYin(monthPillar(date)) + u' ' + naYin(dayPillar(date));
}

QString distanceText(QDate date, QDate today) {
    const qint64 days = today.daysTo(date);
    if (days == 0)
        return QStringLiteral("今天");
    return QString::number(days > 0 ? days : -days) +
           (days > 0 ? QStringLiteral("天后") : QStringLiteral("天前"));
}

} // namespace orvane
