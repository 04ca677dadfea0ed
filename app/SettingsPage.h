// The "软件设置" page: the settings boxes and the start counter label 标签2.
#pragma once

#include "app/Services.h"

#include <QObject>

class QLabel;
class QWidget;

namespace orvane {

// Places its controls on the given page and handles them; owned by that page.
class SettingsPage : public QObject {
    Q_OBJECT
public:
    SettingsPage(QWidget* page, const Services& services);
    QLabel* startCounterLabel() const { return 标签2; }
    void LoadSettingsPage();

private:
    Services services_;
    QLabel* 标签2;
};

} // namespace orvane
