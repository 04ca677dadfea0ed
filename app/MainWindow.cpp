// Main window layout, the clock tick, tray behaviour and closing.
#include "app/MainWindow.h"

#include "alarm/AlarmEditorWindow.h"
#include "alarm/AlarmEngine.h"
#include "alarm/AlarmListCommands.h"
#include "alarm/AlarmPage.h"
#include "alarm/AlarmWake.h"
#include "alarm/MissedAlarmsWindow.h"
#include "alarm/ReminderPresenter.h"
#include "app/AboutPage.h"
#include "app/ClockFace.h"
#include "app/ClockText.h"
#include "app/ExtrasPage.h"
#include "app/FeedbackPage.h"
#include "app/LunarService.h"
#include "app/SecondTicker.h"
#include "app/SettingsPage.h"
#include "app/SingleInstance.h"
#include "app/TabControl.h"
#include "calendar/AlmanacTexts.h"
#include "calendar/DateCalculatorWindow.h"
#include "calendar/DayNames.h"
#include "calendar/LunarCalendar.h"
#include "calendar/LunarLookupWindow.h"
#include "common/GbkText.h"
#include "common/WebAddresses.h"
#include "diary/DiaryPage.h"
#include "net/BrowserLayout.h"
#include "net/HttpRequest.h"
#include "net/RemoteBrowser.h"
#include "net/TimeCalibration.h"
#include "net/WeatherPanel.h"
#include "platform/StatusNotifierItem.h"
#include "platform/SystemSettings.h"
#include "platform/WidgetPlace.h"
#include "platform/WindowActivation.h"
#include "protect/LockWindow.h"
#include "protect/PasswordRecord.h"
#include "protect/PasswordToggle.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace orvane {

namespace {

QGroupBox* group(QWidget* parent, const char* name, const QString& title, const QRect& where) {
    return place(new QGroupBox(title, parent), name, where);
}

QLabel* transparentLabel(QGroupBox* box, const char* name) {
    auto* label = place(new QLabel(box), name, 6, 10, 132, 16);
    label->setProperty("transparent", true);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

// Controls placed on a page of the shown window after it was shown stay hidden until shown; lists
// hidden on purpose (their explicit hide) stay hidden.
void showNewControls(QWidget* page) {
    for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!control->isWindow() && !control->testAttribute(Qt::WA_WState_ExplicitShowHide))
            control->show();
}

} // namespace

MainWindow::MainWindow(const Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral(" Orvane电脑闹钟 V1.5"));
    setGeometry(QRect(QPoint(50, 50), mainWindowNormalSize));
    setFixedSize(mainWindowNormalSize);
    // The first start-up steps, the skin's, run before any control exists: each control then gets the
    // skin's look and font once, instead of the default ones and a restyling of all of them. Nothing is
    // shown before StartUp, which ends the program when the skin file is missing.
    skinAttached_ = attachSkin();
    // The engine is made here, at the start, whose minute it never scans; it works once StartUp has
    // opened the database.
    AlarmEngine::Parts parts{*services_.clock, *services_.sound, services_.paths, *services_.settings,
                             services_.notifier};
    parts.soundServer = services_.soundServer;
    engine_ = new AlarmEngine(database_, parts, this);
    if (services_.wakeAlarm != nullptr)
        alarmWake_ =
            new AlarmWake(*engine_, *services_.wakeAlarm, *services_.settings, *services_.clock, this);
    buildLeftColumn();
    buildPages();
    ticker_ = new SecondTicker(*services_.clock, this);
    connect(ticker_, &SecondTicker::tick, this, &MainWindow::onTick);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildLeftColumn() {
    group(this, "分组框1", QStringLiteral("时间"), {3, 4, 142, 152});
    clockFace_ = new ClockFace(this);
    clockFace_->move(9, 21);
    timeLabel_ = transparentLabel(group(this, "分组框2", QString(), {3, 158, 143, 32}), "透明标签_当前时间");
    weekdayLabel_ =
        transparentLabel(group(this, "分组框3", QString(), {3, 190, 143, 32}), "透明标签_当前星期");
    lunarLabel_ = transparentLabel(group(this, "分组框4", QString(), {3, 223, 143, 32}), "透明标签_农历");
}

void MainWindow::buildPages() {
    tabs_ = new TabControl(this);
    tabs_->setObjectName(QStringLiteral("高级选择夹1"));
    tabs_->setGeometry(149, 9, 373, 245);
    alarmPage_ = new AlarmPage(tabs_->addPage(QStringLiteral("我的闹钟")), this, *engine_);
    // The other pages get their controls when first opened (OnMainTabChanged): the first picture shows
    // only the alarm page, and every control built before it costs start-up time.
    diaryTab_ = tabs_->addPage(QStringLiteral("日记本"));
    settingsTab_ = tabs_->addPage(QStringLiteral("软件设置"));
    extrasTab_ = tabs_->addPage(QStringLiteral("扩展功能"));
    feedbackTab_ = tabs_->addPage(QStringLiteral("留言"));
    aboutTab_ = tabs_->addPage(QStringLiteral("关于"));
    connect(tabs_, &TabControl::currentChanged, this, &MainWindow::OnMainTabChanged);
    alarmCommands_ = new AlarmListCommands(
        *engine_, alarmPage_->lists(), *services_.dialogs, [this] { return CheckAlarmPassword(); },
        [this] { return alarmEditor(); }, this);
    alarmCommands_->connectTo(*alarmPage_);
    connect(alarmPage_->weatherButton(), &QPushButton::clicked, this, &MainWindow::ShowWeatherPanel);
    connect(alarmPage_->lockButton(), &QPushButton::clicked, this, [this] {
        if (services_.killer)
            openLockWindow(this, *services_.dialogs, *services_.killer);
    });
}

void MainWindow::buildDiaryPage() {
    diaryPage_ = new DiaryPage(diaryTab_, database_, *services_.dialogs, services_.paths);
    showNewControls(diaryTab_);
}

void MainWindow::buildSettingsPage() {
    settingsPage_ = new SettingsPage(settingsTab_, services_, pageFetcher(this));
    // Today's names may change with the table.
    connect(settingsPage_, &SettingsPage::holidaysChanged, this, [this] { refreshDayTexts(dayTextsDate_); });
    settingsPage_->startCounterLabel()->setText(startCounterText_);
    passwordToggle_ =
        new PasswordToggle(settingsPage_->passwordBox(), *services_.registry, *services_.dialogs);
    showNewControls(settingsTab_);
}

void MainWindow::buildExtrasPage() {
    extrasPage_ = new ExtrasPage(extrasTab_, WebShortcuts::standard(), *services_.clock, browsers());
    showNewControls(extrasTab_);
    Dialogs& dialogs = *services_.dialogs;
    const Clock& clock = *services_.clock;
    connect(extrasPage_, &ExtrasPage::calibrateTimeRequested, this, [this, &dialogs, &clock] {
        if (!services_.timeSetter)
            return;
        if (timeSync_ == nullptr)
            timeSync_ =
                new NetworkTimeSync(clock, *services_.timeSetter, dialogs, pageFetcher(this),
                                    NtpServers::fromText(services_.settings->timeServers()), {}, this);
        timeSync_->start();
    });
    connect(extrasPage_, &ExtrasPage::lunarLookupRequested, this,
            [this, &clock] { openLunarLookup(clock, this); });
    connect(extrasPage_, &ExtrasPage::hourTableRequested, this, [&dialogs] { showTwoHourPeriods(dialogs); });
    connect(extrasPage_, &ExtrasPage::stemBranchTableRequested, this,
            [&dialogs] { showStemsBranches(dialogs); });
    connect(extrasPage_, &ExtrasPage::zodiacTableRequested, this, [&dialogs] { showZodiacDates(dialogs); });
    connect(extrasPage_, &ExtrasPage::dateCalculatorRequested, this,
            [this, &dialogs, &clock] { openDateCalculator(clock, dialogs, this); });
}

// The panel and its browser control are made at the first request: start-up carries no browser.
void MainWindow::ShowWeatherPanel() {
    if (weatherPanel_ == nullptr) {
        weatherPanel_ = new WeatherPanel(this, web::weatherForecastPage(), browsers().helper());
        for (const char* name : {"超文本浏览框1", "按钮20", "按钮21"}) {
            if (auto* control = findChild<QWidget*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly))
                control->show();
        }
    }
    weatherPanel_->ShowWeatherPanel();
}

RemoteBrowser& MainWindow::browsers() {
    if (browsers_ == nullptr)
        browsers_ = new RemoteBrowser(*services_.dialogs, this);
    return *browsers_;
}

AlarmEditorWindow* MainWindow::alarmEditor() {
    if (alarmEditor_ == nullptr)
        alarmEditor_ = new AlarmEditorWindow(*engine_, *services_.dialogs, *services_.clock, this);
    return alarmEditor_;
}

bool MainWindow::CheckAlarmPassword() {
    return orvane::CheckAlarmPassword(*services_.registry, *services_.dialogs);
}

void MainWindow::OnMainTabChanged(int index) {
    switch (Tab(index)) {
    case Tab::Diary:
        if (diaryPage_ == nullptr)
            buildDiaryPage();
        diaryPage_->LoadDiaryList();
        break;
    case Tab::Settings:
        if (settingsPage_ == nullptr)
            buildSettingsPage();
        settingsPage_->LoadSettingsPage();
        break;
    case Tab::Extras:
        if (extrasPage_ == nullptr)
            buildExtrasPage();
        break;
    case Tab::Feedback:
        if (feedbackPage_ == nullptr) {
            feedbackPage_ = new FeedbackPage(feedbackTab_, *services_.dialogs);
            showNewControls(feedbackTab_);
        }
        break;
    case Tab::About:
        if (aboutPage_ == nullptr) {
            aboutPage_ = new AboutPage(aboutTab_, *services_.dialogs);
            showNewControls(aboutTab_);
        }
        break;
    case Tab::Alarms:
        break;
    }
}

void MainWindow::UpdateClock() {
    const QDateTime now = services_.clock->now();
    const QTime t = now.time();
    timeLabel_->setText(clockLabelText(now));
    clockFace_->setHands(clockHands(t.hour(), t.minute(), t.second()));
}

void MainWindow::refreshDayTexts(const QDate& today) {
    dayTextsDate_ = today;
    todayWeekdayChar_ = weekdayChar(today);
    weekdayLabel_->setText(weekdayGreeting(todayWeekdayChar_));
    lunarLabel_->setText(lunarLabelText(lunarDateText(today)));
    lunarLabel_->setToolTip(dayNamesText(today));
}

void MainWindow::onTick() {
    UpdateClock();
    // A program left running overnight must greet today.
    const QDate today = services_.clock->now().date();
    if (today != dayTextsDate_)
        refreshDayTexts(today);
    engine_->tick();
    if (minuteKey(services_.clock->now()) != toolTipMinute_)
        refreshTrayToolTip();
    planNextTick();
}

QString MainWindow::trayToolTip() const {
    return engine_->trayToolTip();
}

void MainWindow::refreshTrayToolTip() {
    if (tray_ == nullptr)
        return;
    toolTipMinute_ = minuteKey(services_.clock->now());
    tray_->setToolTip(trayToolTip());
    if (trayItem_ != nullptr)
        trayItem_->setToolTip(trayToolTip().section(u'\n', 1)); // the item's title holds the first line
}

void MainWindow::startTicking() {
    ticking_ = true;
    ticker_->start();
    planNextTick();
}

void MainWindow::onClockMoved() {
    onTick(); // plans the next tick from the new time
}

void MainWindow::planNextTick() {
    if (!ticking_)
        return;
    const bool nothingMovesOnScreen = !isVisible() || isMinimized();
    if (!nothingMovesOnScreen || engine_->needsEveryTick()) {
        if (ticker_->sleeping())
            ticker_->start();
        return;
    }
    ticker_->sleepUntil(dateTimeOfMinute(engine_->wakeMinute(minuteKey(services_.clock->now()))));
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Back on screen: the clock is brought up to date at once, and the tick plans every second again.
    if (ticker_->sleeping())
        onTick();
}

void MainWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    planNextTick();
}

ReminderWindow* MainWindow::reminder() const {
    return reminders_ ? reminders_->window() : nullptr;
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        HideWhenMinimised();
        if (isMinimized())
            planNextTick();
        else if (ticker_->sleeping())
            onTick();
    }
}

void MainWindow::HideWhenMinimised() {
    // Without a notification area there would be no way back to a hidden window: it then stays
    // minimised in the task bar instead.
    const bool ownItemShown = trayItem_ != nullptr && trayItem_->registered();
    const bool qtIconShown =
        tray_ != nullptr && tray_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
    if (isMinimized() && (ownItemShown || qtIconShown))
        QTimer::singleShot(0, this, &QWidget::hide);
}

void MainWindow::RestoreFromTray(TrayAction action, const QString& activationToken) {
    if (action != TrayAction::DoubleClick && !(action == TrayAction::Click && singleClickTray_))
        return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    showNormal();
    activateWithToken(*this, SingleInstance::activationToken(activationToken.toUtf8()));
}

void MainWindow::onTrayActivated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        RestoreFromTray(TrayAction::Click);
        break;
    case QSystemTrayIcon::DoubleClick:
        RestoreFromTray(TrayAction::DoubleClick);
        break;
    case QSystemTrayIcon::Context:
        RestoreFromTray(TrayAction::RightClick);
        break;
    default:
        break;
    }
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (tray_ == nullptr && (database_.isOpen() || databaseWait_ != nullptr))
        QTimer::singleShot(0, this, &MainWindow::finishStartUp);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, even while the tray icon is shown.
    event->accept();
    if (tray_ != nullptr)
        tray_->hide();
    QCoreApplication::quit();
}

} // namespace orvane
