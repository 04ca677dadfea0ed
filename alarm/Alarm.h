// One alarm as the program works with it: its stored texts, the pieces the lists show, and when it rings.
#pragma once

#include "alarm/AlarmRecord.h"
#include "alarm/AlarmTime.h"
#include "common/FlagText.h"

#include <QString>

namespace orvane {

// Made only by the codec (AlarmCodec.h), which cuts the pieces from the texts.
struct Alarm {
    qint64 key = 0;
    AlarmTexts texts; // the three texts as stored, so that they are kept byte for byte
    QString rule;     // piece 1 of 提醒时间: the repeat rule as stored
    QString dueText;  // piece 2 of 提醒时间: the first due date and time as stored
    bool hasDueText = false;
    QString ringFlag;  // piece 1 of 铃声位置: "真" rings
    QString sound;     // piece 2 of 铃声位置 when it has exactly two: "默认" or a sound file
    QString popupFlag; // piece 1 of 提示文本: "真" opens the reminder
    QString reminder;  // piece 2 of 提示文本 when it has exactly two
    AlarmTime time;    // read strictly: a text the editor would not write never rings

    bool rings() const { return readFlag(ringFlag); }
    bool popsUp() const { return readFlag(popupFlag); }
    // The list's column "工作日期": the rule, shown only beside a due text.
    QString weekdayColumn() const { return hasDueText ? rule : QString(); }
    bool operator==(const Alarm&) const = default;
};

} // namespace orvane
