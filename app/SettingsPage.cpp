// Controls of the "软件设置" page at their places, loading them from the stores and writing each click.
#include "app/SettingsPage.h"

#include "alarm/SnoozeStore.h"
#include "app/StoredHolidays.h"
#include "calendar/HolidayIcs.h"
#include "common/FlagText.h"
#include "platform/IniProfile.h"
#include "platform/SystemSettings.h"
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
    : QObject(page), services_(services), fetch_(std::move(fetch)) {
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
    ringCountBox_->addItems(
        {QStringLiteral("无限重复"), QStringLiteral("播放一次"), QStringLiteral("播放二次")});
    ringCountBox_->setCurrentIndex(-1);
    ringCountLabel->setBuddy(ringCountBox_);

    auto* snoozeLabel = new QLabel(QStringLiteral("稍后提醒"), page);
    snoozeLabel->setObjectName(QStringLiteral("标签3"));
    snoozeLabel->setGeometry(26, 186, 64, 22);
    snoozeBox_ = new QComboBox(page);
    snoozeBox_->setObjectName(QStringLiteral("组合框_稍后提醒"));
    snoozeBox_->setGeometry(94, 184, 130, 24);
    for (int minutes : {5, 10, 15})
        snoozeBox_->addItem(QString::number(minutes) + QStringLiteral("分钟"), minutes);
    snoozeLabel->setBuddy(snoozeBox_);

    startCounterLabel_ = new QLabel(page);
    startCounterLabel_->setObjectName(QStringLiteral("标签2"));
    startCounterLabel_->setGeometry(53, 213, 176, 16);

    holidaysButton_ = new QPushButton(QStringLiteral("更新节假日"), page);
    holidaysButton_->setObjectName(QStringLiteral("按钮_更新节假日"));
    holidaysButton_->setGeometry(240, 156, 110, 26);

    // clicked and activated come from the user only, so LoadSettingsPage filling the boxes writes nothing.
    connect(autoStartBox_, &QCheckBox::clicked, this, &SettingsPage::ToggleAutoStart);
    connect(hourlyChimeBox_, &QCheckBox::clicked, this, &SettingsPage::ToggleHourlyChime);
    connect(autoDeleteBox_, &QCheckBox::clicked, this, &SettingsPage::ToggleAutoDelete);
    connect(ringCountBox_, &QComboBox::activated, this, &SettingsPage::ChangeRingCount);
    connect(snoozeBox_, &QComboBox::activated, this, &SettingsPage::ChangeSnoozeMinutes);
    connect(holidaysButton_, &QPushButton::clicked, this, &SettingsPage::UpdateHolidays);
}

QString SettingsPage::shownRingCount(const QString& stored) {
    return stored.isEmpty() ? QStringLiteral("播放一次") : stored;
}

QString SettingsPage::readSystemKey(const QString& key) const {
    return IniProfile::read(settings::systemFile(services_.paths), settings::systemSection(), key);
}

void SettingsPage::writeSystemKey(const QString& key, const QString& value) {
    // A failed write is not reported: the box keeps the user's state until the page is next loaded.
    IniProfile::write(settings::systemFile(services_.paths), settings::systemSection(), key, value);
}

void SettingsPage::LoadSettingsPage() {
    Registry& registry = *services_.registry;
    autoStartBox_->setChecked(registry.exists(Registry::runKey(), settings::autoStartValue()));
    autoDeleteBox_->setChecked(readFlag(readSystemKey(settings::autoDeleteKey())));
    passwordBox_->setChecked(registry.exists(settings::passwordKey(), settings::passwordValue()));

    const QString ringCount = shownRingCount(readSystemKey(settings::ringCountKey()));
    // The matching item becomes current so the arrow keys and the list start from it; a stored text
    // that is no item is still shown as it is.
    ringCountBox_->setCurrentIndex(ringCountBox_->findText(ringCount));
    ringCountBox_->setEditText(ringCount);

    hourlyChimeBox_->setChecked(readFlag(readSystemKey(settings::hourlyChimeKey())));
    // A stored number that is none of the items shows as the 5 minutes it counts as.
    const int snooze = snoozeBox_->findData(snoozeMinutesFor(readSystemKey(settings::snoozeMinutesKey())));
    snoozeBox_->setCurrentIndex(snooze < 0 ? 0 : snooze);
}

void SettingsPage::ToggleAutoStart() {
    Registry& registry = *services_.registry;
    if (autoStartBox_->isChecked())
        registry.write(Registry::runKey(), settings::autoStartValue(),
                       QCoreApplication::applicationFilePath());
    else
        registry.remove(Registry::runKey(), settings::autoStartValue());
}

void SettingsPage::ToggleHourlyChime() {
    writeSystemKey(settings::hourlyChimeKey(), flagText(hourlyChimeBox_->isChecked()));
}

void SettingsPage::ToggleAutoDelete() {
    writeSystemKey(settings::autoDeleteKey(), flagText(autoDeleteBox_->isChecked()));
}

void SettingsPage::ChangeSnoozeMinutes(int index) {
    if (index >= 0)
        writeSystemKey(settings::snoozeMinutesKey(), snoozeBox_->itemData(index).toString());
}

void SettingsPage::ChangeRingCount(int index) {
    if (index < 0)
        return;
    writeSystemKey(settings::ringCountKey(), ringCountBox_->itemText(index));
}

void SettingsPage::UpdateHolidays() {
    const QString address = readSystemKey(settings::holidayAddressKey()).trimmed();
    if (!address.isEmpty()) {
        if (!fetch_) {
            services_.dialogs->message(QStringLiteral("无法下载节假日文件"));
            return;
        }
        // The page may be gone when the download ends.
        fetch_(address.toUtf8(), [page = QPointer<SettingsPage>(this)](const QByteArray& text) {
            if (page == nullptr)
                return;
            if (text.isEmpty())
                page->services_.dialogs->message(QStringLiteral("无法下载节假日文件"));
            else
                page->importHolidays(text);
        });
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
    importHolidays(file.readAll());
}

void SettingsPage::importHolidays(const QByteArray& text) {
    QString error;
    const std::optional<HolidayTable> imported = parseHolidayIcs(text, &error);
    if (!imported) {
        services_.dialogs->message(error);
        return;
    }
    // Stored first: a table in force that the next start would not find again would mislead.
    if (!storeHolidays(services_.paths, text)) {
        services_.dialogs->message(QStringLiteral("无法保存节假日文件"));
        return;
    }
    setHolidayTable(HolidayTable::carried().overriddenBy(*imported));
    emit holidaysChanged();
    services_.dialogs->message(QStringLiteral("节假日已更新：") + holidayYearsText(*imported));
}

} // namespace orvane
