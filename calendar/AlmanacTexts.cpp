// The almanac tables as texts, and the three message boxes that show them.
#include "calendar/AlmanacTexts.h"

#include "platform/Dialogs.h"

#include <QStringList>

namespace orvane {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
} // namespace

QString StemsBranchesText() {
    const QStringList lines = {QStringLiteral("天干："),
                               QStringLiteral("甲木"),
                               QStringLiteral("乙木"),
                               QStringLiteral("丙火"),
                               QStringLiteral("丁火"),
                               QStringLiteral("戊土"),
                               QStringLiteral("己土"),
                               QStringLiteral("庚金"),
                               QStringLiteral("辛金"),
                               QStringLiteral("壬水"),
                               QStringLiteral("癸水"),
                               QString(),
                               QString(),
                               QStringLiteral("地支："),
                               QStringLiteral("子水"),
                               QStringLiteral("丑土"),
                               QStringLiteral("寅木"),
                               QStringLiteral("卯木"),
                               QStringLiteral("辰土"),
                               QStringLiteral("巳火"),
                               QStringLiteral("午火"),
                               QStringLiteral("未土"),
                               QStringLiteral("申金"),
                               QStringLiteral("酉金"),
                               QStringLiteral("戌土"),
                               QStringLiteral("亥水")};
    return lines.join(kCrLf);
}

QString TwoHourPeriodsText() {
    static constexpr char16_t kBranches[] = u"子丑寅卯辰巳午未申酉戌亥";
    QString text;
    for (int hour = 0; hour < 24; ++hour) // hour 23 opens the next 子 period, 1 and 2 share 丑, …
        text += QChar(kBranches[(hour + 1) / 2 % 12]) + QStringLiteral(" ") + QString::number(hour) + kCrLf;
    return text + kCrLf;
}

QString ZodiacDatesText() {
    const QStringList lines = {
        QStringLiteral("白羊座 03月21日-04月19日"), QStringLiteral("金牛座 04月20日-05月20日"),
        QStringLiteral("双子座 05月21日-06月21日"), QStringLiteral("巨蟹座 06月22日-07月22日"),
        QStringLiteral("狮子座 07月23日-08月22日"), QStringLiteral("处女座 08月23日-09月23日"),
        QStringLiteral("天秤座 09月24日-10月23日"), QStringLiteral("天蝎座 10月24日-11月21日"),
        QStringLiteral("射手座 11月22日-12月21日"), QStringLiteral("摩羯座 12月22日-01月19日"),
        QStringLiteral("水瓶座 01月20日-02月18日"), QStringLiteral("双鱼座 02月19日-03月20日")};
    return lines.join(kCrLf);
}

void showStemsBranches(Dialogs& dialogs) {
    dialogs.message(StemsBranchesText());
}

void showTwoHourPeriods(Dialogs& dialogs) {
    dialogs.message(TwoHourPeriodsText());
}

void showZodiacDates(Dialogs& dialogs) {
    dialogs.message(ZodiacDatesText());
}

} // namespace orvane
