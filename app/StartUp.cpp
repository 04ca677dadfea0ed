// The main window's start-up steps, in their order.
#include "app/MainWindow.h"

#include "alarm/AlarmEngine.h"
#include "alarm/AlarmPage.h"
#include "alarm/AlarmWake.h"
#include "alarm/ReminderPresenter.h"
#include "app/AppDatabase.h"
#include "app/DatabaseWait.h"
#include "app/SettingsPage.h"
#include "app/Skin.h"
#include "app/SkinEngine.h"
#include "app/StartCounter.h"
#include "calendar/HolidayUpdate.h"
#include "cli/AlarmBus.h"
#include "platform/StatusNotifierHost.h"
#include "platform/StatusNotifierItem.h"
#include "platform/WindowActivation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>

namespace orvane {

namespace {
// When finishStartUp runs should the window not be painted first (started hidden, or no paint comes).
constexpr int kUnpaintedFinishMs = 500;

// Five sizes; Qt decodes all five here, which is why this waits until the window has been painted.
QIcon carriedTrayIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/tray-%1.png").arg(size), QSize(size, size));
    return icon;
}
} // namespace

bool MainWindow::attachSkin() {
    // The skin is written at every start; a failed write leaves an older copy in use.
    const QString skin = services_.paths.systemFile(skinFileName());
    dropSkinFile(skin);
    if (!QFileInfo::exists(skin))
        return false;
    SkinH_Attach_Ex(skin, QString());
    return true;
}

bool MainWindow::StartUp() {
    // The skin was attached before the controls were made (see the constructor); its absence ends here.
    if (!skinAttached_) {
        services_.dialogs->message(QStringLiteral("皮肤文件丢失，请检查"));
        return false;
    }

    refreshDayTexts(services_.clock->now().date());
    UpdateClock();

    const QString dbFile = services_.paths.windowsFile(QStringLiteral("dbtime.mdb"));
    ensureDatabaseFile(dbFile); // a failure shows in the open below
    switch (openAlarmDatabase(database_, dbFile)) {
    case DatabaseOpen::Opened:
        engine_->start();
        break;
    case DatabaseOpen::NotOurs:
        services_.dialogs->message(notOurDatabaseText());
        return false;
    case DatabaseOpen::Busy:
        // Held by another program (a backup at log-on): the window shows, says so and waits; the engine
        // starts once the file opens and rings every alarm since the start.
        databaseWait_ = new DatabaseWait(
            database_, dbFile, *services_.clock, alarmPage_->lists().shown,
            [this](const QString& text) { services_.dialogs->message(text); }, this);
        connect(databaseWait_, &DatabaseWait::opened, this, &MainWindow::databaseOpened);
        connect(databaseWait_, &DatabaseWait::notOurs, this, [this] {
            services_.dialogs->message(notOurDatabaseText());
            QCoreApplication::exit(0);
        });
        break;
    }

    reminders_ = new ReminderPresenter(engine_->ringer(), this);
    // A sleeping tick aims at the next minute with work: what changes that plan re-aims it.
    connect(engine_, &AlarmEngine::wakePlanChanged, this, &MainWindow::planNextTick);
    if (services_.clockEvents != nullptr) {
        connect(services_.clockEvents, &ClockEvents::clockChanged, this, &MainWindow::onClockMoved);
        connect(services_.clockEvents, &ClockEvents::resumed, this, &MainWindow::onClockMoved);
        // The suspend waits while this runs: the alarms of the next minute ring before it.
        connect(services_.clockEvents, &ClockEvents::aboutToSleep, engine_, &AlarmEngine::prepareForSleep);
        if (alarmWake_ != nullptr)
            connect(services_.clockEvents, &ClockEvents::resumed, alarmWake_, &AlarmWake::rearm);
    }
    // The program lives in the tray: closing a reminder or an editor while the main window is hidden
    // must not end it. It ends when the main window is closed (closeEvent).
    QGuiApplication::setQuitOnLastWindowClosed(false);

    // Nothing in the first picture needs these: they run once the window has been painted (see
    // paintEvent), or after a while should it not be shown.
    QTimer::singleShot(kUnpaintedFinishMs, this, &MainWindow::finishStartUp);
    return true;
}

void MainWindow::databaseOpened() {
    databaseWait_ = nullptr;
    engine_->start();
    if (tray_ != nullptr)
        countStart();
}

void MainWindow::countStart() {
    // The counter's write waits for the disk; its label is on a page not shown at start (and built only
    // when first opened, which then shows this text).
    startCounterText_ = startCounterText(CountStart(database_));
    if (settingsPage_ != nullptr)
        settingsPage_->startCounterLabel()->setText(startCounterText_);
}

// The program's own StatusNotifier item serves every such host: one there at start, and one whose watcher
// appears later (the panel starts after the program), when it takes the place of Qt's XEmbed icon. Its
// menu is the tray menu's actions, drawn by the host at the icon.
void MainWindow::offerStatusNotifierItem() {
    trayItem_ = new StatusNotifierItem(QStringLiteral("Orvane电脑闹钟"), tray_->icon(), trayBus_, this);
    trayItem_->setMenuActions(trayMenu_->actions());
    connect(trayItem_, &StatusNotifierItem::registeredWithWatcher, this, [this] {
        tray_->hide(); // an XEmbed icon beside it would show the clock twice
        useSingleClickTray(true);
        refreshTrayToolTip();
    });
    connect(trayItem_, &StatusNotifierItem::activated, this,
            [this](const QString& token) { RestoreFromTray(TrayAction::Click, token); });
    // Only hosts that draw no menu ask for one. On Wayland a program cannot put a menu at a point of the
    // screen (it would open as a window of its own in the middle): the window comes, with all the menu has.
    connect(trayItem_, &StatusNotifierItem::contextMenuRequested, this, [this](QPoint at) {
        if (onWayland())
            RestoreFromTray(TrayAction::Click);
        else
            trayMenu_->popup(at);
    });
    trayItem_->start();
}

void MainWindow::finishStartUp() {
    if (tray_ != nullptr)
        return;
    // Tray icon with the next alarm as its tooltip and a menu; a double-click (one click on a
    // StatusNotifier host) brings the window back.
    const QIcon icon = carriedTrayIcon();
    tray_ = new QSystemTrayIcon(icon, this);
    connect(tray_, &QSystemTrayIcon::activated, this, &MainWindow::onTrayActivated);
    trayMenu_ = new QMenu(this);
    connect(trayMenu_->addAction(QStringLiteral("显示主窗口")), &QAction::triggered, this,
            [this] { RestoreFromTray(TrayAction::DoubleClick); });
    connect(trayMenu_->addAction(QStringLiteral("退出")), &QAction::triggered, this, &QWidget::close);
    tray_->setContextMenu(trayMenu_);
    const bool statusNotifierHost = statusNotifierHostPresent(trayBus_);
    useSingleClickTray(statusNotifierHost);
    offerStatusNotifierItem();
    refreshTrayToolTip();
    connect(engine_, &AlarmEngine::toolTipsChanged, this, &MainWindow::refreshTrayToolTip);
    // Qt's icon for the XEmbed trays, which only X11 has (on Wayland Qt would look for one and warn).
    if (!statusNotifierHost && !onWayland())
        tray_->show();
    // Every window's icon: on X11 the task bar and Alt+Tab show it (Wayland desktops find the launcher's).
    QIcon windowIcon = icon;
    windowIcon.addFile(QStringLiteral(":/desktop/orvane-clock-128.png"), QSize(128, 128));
    QGuiApplication::setWindowIcon(windowIcon);
    if (services_.clockEvents != nullptr)
        services_.clockEvents->start();
    // Panels and scripts reach the alarms on the session bus (the tray's, which tests make their own).
    alarmBus_ = new AlarmBus(*engine_, *services_.registry, *services_.clock, this);
    alarmBus_->publish(trayBus_.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(trayBus_));
    if (database_.isOpen())
        countStart();
    // The imported years, read and parsed here rather than before the first picture; they may rename today.
    loadStoredHolidays(services_.paths.holidaysFile());
    refreshDayTexts(dayTextsDate_);
}

} // namespace orvane
