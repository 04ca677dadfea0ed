// The controls of " 闹钟设置" at their places, each writing its setting when the user changes it.
#include "app/AlarmSettingsWindow.h"

#include "platform/SystemSettings.h"
#include "platform/WidgetPlace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace orvane {

namespace {

constexpr int kVolumeStep = 10;

QComboBox* choiceBox(QWidget* parent, const char* name, const QString& caption, const char* labelName, int y,
                     const QList<SettingChoice<int>>& choices) {
    auto* label = place(new QLabel(caption, parent), labelName, 12, y + 1, 110, 22);
    auto* box = place(new QComboBox(parent), name, 126, y, 110, 24);
    for (const SettingChoice<int>& choice : choices)
        box->addItem(choice.shown, choice.value);
    label->setBuddy(box);
    return box;
}

QString percentText(int percent) {
    return QString::number(percent) + u'%';
}

} // namespace

AlarmSettingsWindow::AlarmSettingsWindow(SystemSettings& settings, WakeAlarm* wake, QWidget* parent)
    : QWidget(parent, Qt::Dialog), settings_(settings), wake_(wake) {
    setObjectName(QStringLiteral("AlarmSettingsWindow"));
    setWindowTitle(QStringLiteral(" 闹钟设置"));
    setFixedSize(340, 262);

    auto* volumeLabel = place(new QLabel(QStringLiteral("闹钟音量"), this), "标签_闹钟音量", 12, 13, 110, 22);
    volumeSlider_ = place(new QSlider(Qt::Horizontal, this), "滑块_闹钟音量", 126, 12, 150, 24);
    volumeSlider_->setRange(RingLevel::kMinPercent, RingLevel::kMaxPercent);
    volumeSlider_->setSingleStep(kVolumeStep);
    volumeSlider_->setPageStep(kVolumeStep);
    volumeSlider_->setTickInterval(kVolumeStep);
    volumeSlider_->setTickPosition(QSlider::TicksBelow);
    // Written when the handle is let go, not at every step of a drag.
    volumeSlider_->setTracking(false);
    volumeLabel->setBuddy(volumeSlider_);
    volumeText_ = place(new QLabel(this), "标签_音量值", 282, 13, 46, 22);

    fadeInBox_ = choiceBox(this, "组合框_渐强响铃", QStringLiteral("渐强响铃"), "标签_渐强响铃", 44,
                           SystemSettings::fadeInChoices());
    unmuteBox_ = place(new QCheckBox(QStringLiteral("响铃时取消系统静音"), this), "选择框_取消系统静音", 12,
                       76, 316, 22);
    wakeBox_ =
        place(new QCheckBox(QStringLiteral("唤醒电脑响铃"), this), "选择框_唤醒电脑", 12, 104, 130, 22);
    wakeReason_ = place(new QLabel(this), "标签_唤醒说明", 146, 104, 182, 22);

    auto* reminders = place(new QGroupBox(QStringLiteral("提醒"), this), "分组框_提醒", 6, 134, 328, 88);
    headsUpBox_ = choiceBox(reminders, "组合框_提前提醒", QStringLiteral("提前提醒"), "标签_提前提醒", 24,
                            SystemSettings::headsUpChoices());
    lateLimitBox_ = choiceBox(reminders, "组合框_迟到多久仍响铃", QStringLiteral("迟到多久仍响铃"),
                              "标签_迟到多久仍响铃", 54, SystemSettings::lateLimitChoices());

    auto* close = place(new QPushButton(QStringLiteral("关闭"), this), "按钮_关闭", 264, 230, 64, 26);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    // The boxes' clicked and activated come from the user only; the slider is quiet while loading.
    connect(volumeSlider_, &QSlider::valueChanged, this, [this](int percent) {
        volumeText_->setText(percentText(percent));
        settings_.setAlarmVolume(percent);
    });
    connect(volumeSlider_, &QSlider::sliderMoved, this,
            [this](int percent) { volumeText_->setText(percentText(percent)); });
    connect(fadeInBox_, &QComboBox::activated, this,
            [this](int index) { settings_.setFadeInSeconds(fadeInBox_->itemData(index).toInt()); });
    connect(unmuteBox_, &QCheckBox::clicked, this, [this](bool on) { settings_.setUnmuteForRing(on); });
    connect(wakeBox_, &QCheckBox::clicked, this, [this](bool on) { settings_.setWakeForAlarm(on); });
    connect(headsUpBox_, &QComboBox::activated, this,
            [this](int index) { settings_.setHeadsUpMinutes(headsUpBox_->itemData(index).toInt()); });
    connect(lateLimitBox_, &QComboBox::activated, this,
            [this](int index) { settings_.setLateLimitMinutes(lateLimitBox_->itemData(index).toInt()); });
    if (wake_ != nullptr)
        connect(wake_, &WakeAlarm::supportChanged, this, &AlarmSettingsWindow::showWakeSupport);
}

void AlarmSettingsWindow::load() {
    settings_.reload();
    {
        const QSignalBlocker quiet(volumeSlider_);
        volumeSlider_->setValue(settings_.alarmVolume());
    }
    volumeText_->setText(percentText(settings_.alarmVolume()));
    fadeInBox_->setCurrentIndex(fadeInBox_->findData(settings_.fadeInSeconds()));
    unmuteBox_->setChecked(settings_.unmuteForRing());
    wakeBox_->setChecked(settings_.wakeForAlarm());
    headsUpBox_->setCurrentIndex(headsUpBox_->findData(settings_.headsUpMinutes()));
    lateLimitBox_->setCurrentIndex(lateLimitBox_->findData(settings_.lateLimitMinutes()));
    showWakeSupport();
}

QString AlarmSettingsWindow::wakeSupportText(WakeSupport support) {
    switch (support) {
    case WakeSupport::NoRtc:
        return QStringLiteral("本机没有可唤醒电脑的时钟");
    case WakeSupport::NotPermitted:
        return QStringLiteral("系统不允许唤醒电脑");
    case WakeSupport::Unknown:
    case WakeSupport::Ready:
        break;
    }
    return {};
}

void AlarmSettingsWindow::showWakeSupport() {
    wakeReason_->setText(wake_ != nullptr ? wakeSupportText(wake_->support()) : QString());
}

void AlarmSettingsWindow::showEvent(QShowEvent* event) {
    load();
    QWidget::showEvent(event);
}

} // namespace orvane
