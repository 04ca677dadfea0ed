// " 闹钟设置": how an alarm rings (its volume, its rise, the system's mute), whether the machine wakes for
// it, and the notice before and the limit after a ring.
#pragma once

#include "platform/WakeAlarm.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;

namespace orvane {

class SystemSettings;

// Like the settings page it holds no state: every change is written at once, and showing the window
// loads what is stored.
class AlarmSettingsWindow : public QWidget {
    Q_OBJECT
public:
    // wake: where the machine is asked to wake; without it, the box stays and no reason is given.
    AlarmSettingsWindow(SystemSettings& settings, WakeAlarm* wake, QWidget* parent = nullptr);

    void load();
    // What the label beside "唤醒电脑响铃" says; empty while nothing speaks against it.
    static QString wakeSupportText(WakeSupport support);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showWakeSupport();

    SystemSettings& settings_;
    WakeAlarm* wake_;
    QSlider* volumeSlider_;
    QLabel* volumeText_;
    QComboBox* fadeInBox_;
    QCheckBox* unmuteBox_;
    QCheckBox* wakeBox_;
    QLabel* wakeReason_;
    QComboBox* headsUpBox_;
    QComboBox* lateLimitBox_;
};

} // namespace orvane
