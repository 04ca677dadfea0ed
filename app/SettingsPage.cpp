// Controls of the "软件设置" page at their places, loading them from the stores and writing each click.
#include "app/SettingsPage.h"

#include "app/AlarmSettingsWindow.h"
#include "platform/RegistryValues.h"
#include "platform/WidgetPlace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace orvane {

namespace {

QCheckBox* checkBox(QWidget* page, const char* name, const QString& text, const QRect& where) {
    return place(new QCheckBox(text, page), name, where);
}

} // namespace

SettingsPage::SettingsPage(QWidget* page, const Services& services, PageFetch fetch)
    : QObject(page), services_(services),
      holidays_(new HolidayUpdate(services.paths.holidaysFile(), std::move(fetch), this)) {
    // The page's coordinates include the tab row (about 25 px): the controls start below it.
    autoStartBox_ = checkBox(page, "选择框_开机运行", QStringLiteral("开机自动运行"), {24, 36, 300, 22});
    hourlyChimeBox_ = checkBox(page, "选择框_整点报时", QStringLiteral("整点报时"), {24, 64, 300, 22});
    autoDeleteBox_ =
        checkBox(page, "选择框_删除时钟", QStringLiteral("闹钟事件过后自动删除"), {24, 92, 300, 22});
    passwordBox_ =
        checkBox(page, "选择框_密码修改", QStringLiteral("需要密码才能修改或删除时钟"), {24, 120, 300, 22});

    auto* ringCountLabel = new QLabel(QStringLiteral("响铃次数"), page);
    ringCountLabel->setObjectName(QStringLiteral("标签1"));
    ringCountLabel->setGeometry(26, 158, 64, 22);
    ringCountBox_ = new QComboBox(page);
    ringCountBox_->setObjectName(QStringLiteral("组合框_响铃次数"));
    ringCountBox_->setGeometry(94, 156, 130, 24);
    ringCountBox_->setEditable(true);
    // Typed text never becomes an item: only the three counts can be picked.
    ringCountBox_->setInsertPolicy(QComboBox::NoInsert);
    for (const SettingChoice<RingCount>& choice : SystemSettings::ringCountChoices())
        ringCountBox_->addItem(choice.word, int(choice.value));
    ringCountBox_->setCurrentIndex(-1);
    ringCountLabel->setBuddy(ringCountBox_);

    auto* snoozeLabel = new QLabel(QStringLiteral("稍后提醒"), page);
    snoozeLabel->setObjectName(QStringLiteral("标签3"));
    snoozeLabel->setGeometry(26, 186, 64, 22);
    snoozeBox_ = new QComboBox(page);
    snoozeBox_->setObjectName(QStringLiteral("组合框_稍后提醒"));
    snoozeBox_->setGeometry(94, 184, 130, 24);
    for (const SettingChoice<int>& choice : SystemSettings::snoozeChoices())
        snoozeBox_->addItem(choice.shown, choice.value);
    snoozeLabel->setBuddy(snoozeBox_);

    startCounterLabel_ = new QLabel(page);
    startCounterLabel_->setObjectName(QStringLiteral("标签2"));
    startCounterLabel_->setGeometry(53, 213, 176, 16);

    holidaysButton_ = new QPushButton(QStringLiteral("更新节假日"), page);
    holidaysButton_->setObjectName(QStringLiteral("按钮_更新节假日"));
    holidaysButton_->setGeometry(240, 156, 110, 26);
    alarmSettingsButton_ = new QPushButton(QStringLiteral("闹钟设置"), page);
    alarmSettingsButton_->setObjectName(QStringLiteral("按钮_闹钟设置"));
    alarmSettingsButton_->setGeometry(240, 184, 110, 26);

    // clicked and activated come from the user only, so LoadSettingsPage filling the boxes writes nothing.
    connect(autoStartBox_, &QCheckBox::clicked, this, &SettingsPage::ToggleAutoStart);
    connect(hourlyChimeBox_, &QCheckBox::clicked, this, &SettingsPage::ToggleHourlyChime);
    connect(autoDeleteBox_, &QCheckBox::clicked, this, &SettingsPage::ToggleAutoDelete);
    connect(ringCountBox_, &QComboBox::activated, this, &SettingsPage::ChangeRingCount);
    connect(snoozeBox_, &QComboBox::activated, this, &SettingsPage::ChangeSnoozeMinutes);
    connect(holidaysButton_, &QPushButton::clicked, this, &SettingsPage::UpdateHolidays);
    connect(alarmSettingsButton_, &QPushButton::clicked, this, &SettingsPage::OpenAlarmSettings);
    connect(holidays_, &HolidayUpdate::finished, this, [this](const QString& message, bool changed) {
        if (changed)
            emit holidaysChanged();
        services_.dialogs->message(message);
    });
}

void SettingsPage::LoadSettingsPage() {
    Registry& registry = *services_.registry;
    autoStartBox_->setChecked(registry.exists(Registry::runKey(), settings::autoStartValue()));
    SystemSettings& system = *services_.settings;
    system.reload();
    autoDeleteBox_->setChecked(system.autoDelete());
    passwordBox_->setChecked(registry.exists(settings::passwordKey(), settings::passwordValue()));
    // The count the ringer plays: once while none was ever chosen (or the stored word is no choice).
    ringCountBox_->setCurrentIndex(ringCountBox_->findData(int(system.ringCount())));
    hourlyChimeBox_->setChecked(system.hourlyChime());
    snoozeBox_->setCurrentIndex(snoozeBox_->findData(system.snoozeMinutes()));
}

void SettingsPage::ToggleAutoStart() {
    Registry& registry = *services_.registry;
    if (autoStartBox_->isChecked())
        registry.write(Registry::runKey(), settings::autoStartValue(),
                       QCoreApplication::applicationFilePath());
    else
        registry.remove(Registry::runKey(), settings::autoStartValue());
}

// A failed write is not reported: the box keeps the user's state until the page is next loaded.
void SettingsPage::ToggleHourlyChime() {
    services_.settings->setHourlyChime(hourlyChimeBox_->isChecked());
}

void SettingsPage::ToggleAutoDelete() {
    services_.settings->setAutoDelete(autoDeleteBox_->isChecked());
}

void SettingsPage::ChangeSnoozeMinutes(int index) {
    if (index >= 0)
        services_.settings->setSnoozeMinutes(snoozeBox_->itemData(index).toInt());
}

void SettingsPage::ChangeRingCount(int index) {
    if (index >= 0)
        services_.settings->setRingCount(RingCount(ringCountBox_->itemData(index).toInt()));
}

void SettingsPage::OpenAlarmSettings() {
    if (alarmSettings_ == nullptr)
        alarmSettings_ =
            new AlarmSettingsWindow(*services_.settings, services_.wakeAlarm, holidaysButton_->window());
    alarmSettings_->show(); // loads what is stored
    alarmSettings_->raise();
    alarmSettings_->activateWindow();
}

void SettingsPage::UpdateHolidays() {
    const QString address = services_.settings->holidayAddress();
    if (!address.isEmpty()) {
        holidays_->fetchFrom(address);
        return;
    }
    const std::optional<QString> path =
        services_.dialogs->openFile(QStringLiteral("更新节假日"), QStringLiteral("iCalendar 文件 (*.ics)"));
    if (!path)
        return;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        services_.dialogs->message(QStringLiteral("无法读取节假日文件"));
        return;
    }
    bool changed = false;
    const QString message = holidays_->importText(file.readAll(), &changed);
    if (changed)
        emit holidaysChanged();
    services_.dialogs->message(message);
}

} // namespace orvane
