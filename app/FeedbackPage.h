// The "留言" page: nickname, contact and message boxes, "提交" and "重填".
#pragma once

#include "net/Feedback.h"

#include <QObject>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace orvane {

class Dialogs;

// Places its controls on the given page and handles them; owned by that page.
class FeedbackPage : public QObject {
    Q_OBJECT
public:
    // `post` and `url` replace the real post and the product's form page (tests).
    FeedbackPage(QWidget* page, Dialogs& dialogs, FormPoster post = {}, QByteArray url = {});
    void SubmitFeedback(); // the boxes keep their texts whatever the answer
    void ClearFeedback();

private:
    Dialogs& dialogs_;
    FormPoster post_;
    QByteArray url_;
    QLineEdit* 编辑框2;
    QLineEdit* 编辑框3;
    QPlainTextEdit* 编辑框4;
};

} // namespace orvane
