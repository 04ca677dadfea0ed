// Controls of the "软件设置" page at their places.
#include "app/SettingsPage.h"

#include <QLabel>

namespace orvane {

SettingsPage::SettingsPage(QWidget* page) : QObject(page) {
    标签2 = new QLabel(page);
    标签2->setObjectName(QStringLiteral("标签2"));
    标签2->setGeometry(53, 213, 176, 16);
}

} // namespace orvane
