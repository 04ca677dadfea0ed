// Controls of the "软件设置" page at their places.
#include "app/SettingsPage.h"

#include <QLabel>

namespace orvane {

SettingsPage::SettingsPage(QWidget* page, const Services& services) : QObject(page), services_(services) {
    标签2 = new QLabel(page);
    标签2->setObjectName(QStringLiteral("标签2"));
    标签2->setGeometry(53, 213, 176, 16);
}

void SettingsPage::LoadSettingsPage() {}

} // namespace orvane
