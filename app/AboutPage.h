// The "关于" page: the maker's texts, the recommendation text with "复制", and the link to the web site.
#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

namespace orvane {

class Dialogs;

// Places its controls on the given page and handles them; owned by that page.
class AboutPage : public QObject {
    Q_OBJECT
public:
    AboutPage(QWidget* page, Dialogs& dialogs);
    static QString recommendationText();
    static QString linkText(); // the hyperlink's text
    void CopyShareText();

private:
    Dialogs& dialogs_;
    QLineEdit* shareTextEdit_;
};

} // namespace orvane
