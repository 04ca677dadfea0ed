// " 设定时间到": the reminder that names the ringing alarm and silences its ring.
#pragma once

#include <QWidget>

namespace orvane {

struct FiredAlarm;

class ReminderWindow : public QWidget {
    Q_OBJECT
public:
    // The labels: the due text of this ring (with its late note), the reminder text, and the sound
    // ("默认", a file, or "无法播放声音").
    ReminderWindow(const FiredAlarm& alarm, const QString& soundLine);

signals:
    void stopRequested();   // "停止播放"
    void snoozeRequested(); // "稍后提醒"
    void closed();          // any way of closing (button, close box, Alt+F4)

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace orvane
