// The "软件设置" page: the settings boxes, the ring-count and put-off boxes and the start counter label
// 标签2.
#pragma once

#include "app/Services.h"
#include "calendar/HolidayUpdate.h"

#include <QObject>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace orvane {

class AlarmSettingsWindow;

// Places its controls on the given page and handles them; owned by that page. The page holds no state
// of its own: every click writes at once, and LoadSettingsPage shows what the stores hold.
class SettingsPage : public QObject {
    Q_OBJECT
public:
    SettingsPage(QWidget* page, const Services& services, PageFetch fetch = {});
    QLabel* startCounterLabel() const { return startCounterLabel_; }
    // 选择框_密码修改 is placed and loaded here; its click belongs to the password feature.
    QCheckBox* passwordBox() const { return passwordBox_; }

    void LoadSettingsPage();
    void ToggleAutoStart();
    void ToggleHourlyChime();
    void ToggleAutoDelete();
    void ChangeRingCount(int index);
    void ChangeSnoozeMinutes(int index);
    // "更新节假日": downloads the holiday file from the address in sys.ini, or reads one the user picks.
    void UpdateHolidays();
    // "闹钟设置": the window of how alarms ring, made at its first opening.
    void OpenAlarmSettings();
    AlarmSettingsWindow* alarmSettingsWindow() const { return alarmSettings_; }

signals:
    void holidaysChanged(); // a new table is in force

private:
    Services services_;
    HolidayUpdate* holidays_;
    QCheckBox* autoStartBox_;
    QCheckBox* hourlyChimeBox_;
    QCheckBox* autoDeleteBox_;
    QCheckBox* passwordBox_;
    QComboBox* ringCountBox_;
    QComboBox* snoozeBox_; // 组合框_稍后提醒: 5, 10 or 15 minutes
    QLabel* startCounterLabel_;
    QPushButton* holidaysButton_;      // 按钮_更新节假日
    QPushButton* alarmSettingsButton_; // 按钮_闹钟设置
    AlarmSettingsWindow* alarmSettings_ = nullptr;
};

} // namespace orvane
