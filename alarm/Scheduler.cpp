// Scanning the list once a minute and firing the first due alarm.
#include "alarm/Scheduler.h"

#include "alarm/AlarmTable.h"
#include "alarm/ReminderWindow.h"
#include "common/FileWrite.h"
#include "platform/Clock.h"
#include "platform/IniProfile.h"
#include "platform/SoundPlayer.h"
#include "platform/SystemSettings.h"

#include <QTreeWidget>

namespace orvane {

Scheduler::Scheduler(const Deps& deps, QObject* parent)
    : QObject(parent), d_(deps), gate_(deps.clock->now()) {}

Scheduler::~Scheduler() {
    delete reminder_.data();
}

void Scheduler::AlarmScheduler() {
    const QDateTime now = d_.clock->now();
    // The other ticks of a minute do nothing but read the clock.
    if (!gate_.shouldScan(now))
        return;
    const QString due = dueNowText(now);
    const int rows = d_.lists->shown->topLevelItemCount();
    for (int r = 0; r < rows; ++r) {
        if (d_.lists->shown->topLevelItem(r)->text(1) != due)
            continue;
        if (repeatRulePasses(d_.lists->flags->text(r, 0), *d_.todayWeekdayChar)) {
            fire(r);
            return;
        }
    }
}

void Scheduler::fire(int row) {
    *d_.firedRow = row;
    const HiddenList& flags = *d_.lists->flags;
    // An open reminder keeps showing the alarm that opened it.
    if (flags.text(row, 2) == QStringLiteral("真") && reminder_.isNull()) {
        reminder_ = new ReminderWindow(*d_.lists, *d_.firedRow, *d_.sound);
        reminder_->show();
    }

    const QString settingsFile = settings::systemFile(*d_.paths);
    const int ringCount =
        ringCountFor(IniProfile::read(settingsFile, settings::systemSection(), settings::ringCountKey()));
    if (flags.text(row, 1) == QStringLiteral("真")) {
        QString sound = flags.text(row, 3);
        if (sound == QStringLiteral("默认")) {
            // Written at each ring; when it cannot be written, whatever copy stands there is played.
            sound = d_.paths->windowsFile(QStringLiteral("1.mp3"));
            dropCarriedFile(QStringLiteral(":/ring.mp3"), sound);
        }
        d_.sound->play(sound, ringCount);
    }

    if (IniProfile::read(settingsFile, settings::systemSection(), settings::autoDeleteKey()) ==
        QStringLiteral("真")) {
        const qint64 key = d_.lists->keys->text(row, 0).toLongLong();
        d_.database->execute(alarmsql::deleteByKey(), {key});
        LoadAlarmList(*d_.database, *d_.lists);
    }
}

} // namespace orvane
