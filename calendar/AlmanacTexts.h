// The three fixed almanac tables (stems and branches, two-hour periods, zodiac dates) and their message
// boxes.
#pragma once

#include <QString>

namespace orvane {

class Dialogs;

// Lines joined by CR LF; GBK-encoded they are the tables byte for byte.
QString StemsBranchesText();  // 26 lines, no CR LF after the last
QString TwoHourPeriodsText(); // 24 lines each ending in CR LF, then one more CR LF
QString ZodiacDatesText();    // 12 lines, no CR LF after the last

// The buttons "天干地支表", "十二时辰表" and "星座日期": one modal box with the default caption.
void showStemsBranches(Dialogs& dialogs);
void showTwoHourPeriods(Dialogs& dialogs);
void showZodiacDates(Dialogs& dialogs);

} // namespace orvane
