// " 设定时间到": the reminder that names the fired alarm and silences its ring.
#pragma once

#include <QWidget>

class QLabel;

namespace orvane {

class SoundPlayer;
struct AlarmLists;

class ReminderWindow : public QWidget {
    Q_OBJECT
public:
    // Fills the labels from row firedRow of the lists as they stand now.
    ReminderWindow(const AlarmLists& lists, int firedRow, SoundPlayer& sound);
    ~ReminderWindow() override;
    void StopRing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowReminder(const AlarmLists& lists, int firedRow);
    SoundPlayer& sound_;
    QLabel* 标签1;
    QLabel* 标签2;
    QLabel* 标签3;
};

} // namespace orvane
