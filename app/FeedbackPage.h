// The "留言" page: nickname, contact and message boxes, "提交" and "重填".
#pragma once

#include <QByteArray>
#include <QObject>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace orvane {

class Dialogs;

// Places its controls on the given page and handles them; owned by that page.
class FeedbackPage : public QObject {
    Q_OBJECT
public:
    // `url` replaces the product's form page (tests).
    FeedbackPage(QWidget* page, Dialogs& dialogs, QByteArray url = {});
    // Posts the form and says the answer when it comes; "提交" rests meanwhile, and a post the page
    // outlives is cancelled. The boxes keep their texts whatever the answer.
    void SubmitFeedback();
    void ClearFeedback();

private:
    Dialogs& dialogs_;
    QByteArray url_;
    QPushButton* submit_;
    QLineEdit* nicknameEdit_;
    QLineEdit* contactEdit_;
    QPlainTextEdit* messageEdit_;
};

} // namespace orvane
