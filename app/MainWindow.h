// The main window: clock column, six-page tab control, tray icon, the once-a-second tick and start-up.
#pragma once

#include "app/Services.h"
#include "common/Database.h"

#include <QDate>

#include <QSystemTrayIcon>
#include <QWidget>
#include <memory>

class QLabel;
class QMenu;

namespace orvane {

class AboutPage;
class AlarmBus;
class AlarmEditorWindow;
class AlarmEngine;
class AlarmWake;
class MissedAlarmsWindow;
class ReminderPresenter;
class ReminderWindow;
class AlarmListCommands;
class AlarmPage;
class ClockFace;
class DatabaseWait;
class PasswordToggle;
class DiaryPage;
class ExtrasPage;
class NetworkTimeSync;
class WeatherPanel;
class RemoteBrowser;
class FeedbackPage;
class SecondTicker;
class SettingsPage;
class StatusNotifierItem;
class TabControl;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(const Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up steps; false after a fatal message (skin file or database): the program then ends
    // with exit code 0 without showing the window.
    bool StartUp();
    // The start-up steps that can wait until the window has been shown: the tray icon and the counter.
    void finishStartUp();
    void UpdateClock();
    void onTick(); // everything that runs once a second
    // The clock was set or the machine woke up: the tick runs now (catching up skipped minutes) and
    // re-aims at the next whole second.
    void onClockMoved();
    // The ways the tray icon is used, numbered as the tray reports them.
    enum class TrayAction { Click = 1, DoubleClick = 2, RightClick = 3 };
    // The pages of 高级选择夹1 in their order.
    enum class Tab { Alarms, Diary, Settings, Extras, Feedback, About };
    // The double-click restores; on a StatusNotifier host, which has no double-click, the click does.
    // `activationToken`: the host's permission to take the focus (Wayland), empty when it gave none.
    void RestoreFromTray(TrayAction action, const QString& activationToken = {});
    void useSingleClickTray(bool single) { singleClickTray_ = single; }
    // "Orvane电脑闹钟" and the next alarm: the tray icon's tooltip.
    QString trayToolTip() const;
    void startTicking();
    // The next tick: every second while the window shows the clock or a ring needs the ticks; hidden or
    // minimised only in the minutes that have work (an alarm, a put-off ring, the announcement).
    void planNextTick();
    // Builds a page at its first opening; the diary page reads its list and the settings page the stores
    // at every opening.
    void OnMainTabChanged(int index);
    // The account-password gate in front of every add, modify and delete on the alarm list.
    bool CheckAlarmPassword();
    AlarmEditorWindow* alarmEditor(); // made at its first use, then reused

    const QString& todayWeekdayChar() const { return todayWeekdayChar_; } // "一" … "六", "日"
    Database& database() { return database_; }
    AlarmEngine& engine() const { return *engine_; }
    ReminderWindow* reminder() const; // the reminder on screen, if any
    SecondTicker* ticker() const { return ticker_; }
    TabControl* tabs() const { return tabs_; }
    AlarmPage* alarmPage() const { return alarmPage_; }
    QSystemTrayIcon* trayIcon() const { return tray_; }
    // The program's own item for StatusNotifier hosts (Qt's icon serves the XEmbed trays).
    StatusNotifierItem* trayItem() const { return trayItem_; }
    // Where the busName connection (tests' private bus; empty: the session bus) is asked about the tray.
    void setTrayBus(const QString& busName) { trayBus_ = busName; }
    AlarmListCommands* alarmCommands() const { return alarmCommands_; }
    PasswordToggle* passwordToggle() const { return passwordToggle_; } // null until "软件设置" is opened
    FeedbackPage* feedbackPage() const { return feedbackPage_; }       // null until "留言" is first opened
    AlarmBus* alarmBus() const { return alarmBus_; }                   // null until the start is finished

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool attachSkin(); // drops the skin file and attaches it; false when the file is missing
    void buildLeftColumn();
    void buildPages();
    void buildDiaryPage();
    void buildSettingsPage();
    void buildExtrasPage();
    void ShowWeatherPanel();
    RemoteBrowser& browsers(); // made at the first page
    void refreshDayTexts(const QDate& today);
    void HideWhenMinimised();
    void onTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void refreshTrayToolTip();
    void databaseOpened();
    void countStart();
    static QString notOurDatabaseText() { return QStringLiteral("数据库打开识别，请检查！"); }
    void offerStatusNotifierItem();

    Services services_;
    QString todayWeekdayChar_; // renewed when the date changes
    Database database_;
    AlarmEngine* engine_ = nullptr;
    AlarmWake* alarmWake_ = nullptr; // there when the machine can be asked to wake
    QDate dayTextsDate_;
    bool skinAttached_ = false;
    QString startCounterText_; // 标签2's text once the start has been counted

    ClockFace* clockFace_ = nullptr;
    QLabel* timeLabel_ = nullptr;
    QLabel* weekdayLabel_ = nullptr;
    QLabel* lunarLabel_ = nullptr;
    TabControl* tabs_ = nullptr;
    AlarmPage* alarmPage_ = nullptr;
    SettingsPage* settingsPage_ = nullptr;
    AboutPage* aboutPage_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    StatusNotifierItem* trayItem_ = nullptr;
    AlarmBus* alarmBus_ = nullptr;
    QString trayBus_;
    QMenu* trayMenu_ = nullptr;
    SecondTicker* ticker_ = nullptr;
    ReminderPresenter* reminders_ = nullptr;
    MissedAlarmsWindow* missedAlarms_ = nullptr; // made at the first missed alarm
    DatabaseWait* databaseWait_ = nullptr;       // while another program holds the database at the start
    bool ticking_ = false;
    bool singleClickTray_ = false;
    qint64 toolTipMinute_ = -1; // the minute the tray's tooltip was last worked out in
    DiaryPage* diaryPage_ = nullptr;
    AlarmEditorWindow* alarmEditor_ = nullptr;
    AlarmListCommands* alarmCommands_ = nullptr;
    PasswordToggle* passwordToggle_ = nullptr;
    QWidget* diaryTab_ = nullptr;
    QWidget* settingsTab_ = nullptr;
    QWidget* aboutTab_ = nullptr;
    QWidget* feedbackTab_ = nullptr;
    FeedbackPage* feedbackPage_ = nullptr;
    QWidget* extrasTab_ = nullptr;
    ExtrasPage* extrasPage_ = nullptr;
    WeatherPanel* weatherPanel_ = nullptr;
    RemoteBrowser* browsers_ = nullptr;
    NetworkTimeSync* timeSync_ = nullptr; // made at the first 网络校时
};

} // namespace orvane
