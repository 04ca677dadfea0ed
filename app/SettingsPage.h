// The "软件设置" page: the settings boxes and the start counter label 标签2.
#pragma once

#include <QObject>

class QLabel;
class QWidget;

namespace orvane {

// Places its controls on the given page and handles them; owned by that page.
class SettingsPage : public QObject {
    Q_OBJECT
public:
    explicit SettingsPage(QWidget* page);
    QLabel* startCounterLabel() const { return 标签2; }

private:
    QLabel* 标签2;
};

} // namespace orvane
