// One reminder at a time: made when the ringer asks, its buttons wired to the ringer.
#include "alarm/ReminderPresenter.h"

#include "alarm/AlarmRinger.h"
#include "alarm/ReminderWindow.h"

namespace orvane {

ReminderPresenter::ReminderPresenter(AlarmRinger& ringer, QObject* parent)
    : QObject(parent), ringer_(ringer) {
    connect(&ringer_, &AlarmRinger::reminderWanted, this,
            [this](const FiredAlarm& alarm, const QString& line) {
                // The ringer asks only when the previous reminder has closed.
                window_ = new ReminderWindow(alarm, line);
                connect(window_, &ReminderWindow::stopRequested, &ringer_, &AlarmRinger::StopRing);
                connect(window_, &ReminderWindow::snoozeRequested, &ringer_, &AlarmRinger::Snooze);
                // Forgotten first (it is deleted later), so that the next alarm's reminder, which the ringer
                // may open at once, is the one on screen.
                connect(window_, &ReminderWindow::closed, this, [this] { window_ = nullptr; });
                connect(window_, &ReminderWindow::closed, &ringer_, &AlarmRinger::reminderClosed);
                window_->show();
            });
    // A turn ended elsewhere (put off from the desktop notification, say) takes its reminder along; the
    // ringer is not told of that close, since it already moved on.
    connect(&ringer_, &AlarmRinger::ended, this, [this] {
        if (!window_)
            return;
        ReminderWindow* window = window_;
        window_ = nullptr;
        window->disconnect(&ringer_);
        window->close();
    });
}

ReminderPresenter::~ReminderPresenter() {
    // A reminder has no parent (it must show while the main window is hidden); it goes with the
    // program. Deleting it closes nothing, so the ringer is not told.
    delete window_.data();
}

} // namespace orvane
