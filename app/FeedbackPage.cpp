// Controls of the "留言" page at their places; the post and its answer are the feedback logic's.
#include "app/FeedbackPage.h"

#include "net/Feedback.h"
#include "platform/Dialogs.h"
#include "platform/WidgetPlace.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace orvane {

namespace {
// A label laid out for a narrower font would cut its last letters (the colon of "邮箱或QQ："): it grows to
// the right up to the box it names, then to the left up to the page's edge.
void fitLabel(QLabel* label, int boxLeft) {
    label->ensurePolished(); // measured in the skin's font
    const int needed = label->sizeHint().width();
    if (needed <= label->width())
        return;
    const int right = std::max(label->geometry().right(), boxLeft - 2);
    const int width = std::min(needed, right + 1);
    label->setGeometry(std::min(label->x(), right + 1 - width), label->y(), width, label->height());
}
} // namespace

FeedbackPage::FeedbackPage(QWidget* page, Dialogs& dialogs, QByteArray url)
    : QObject(page), dialogs_(dialogs), url_(std::move(url)) {
    auto* nickname = place(new QLabel(QStringLiteral("昵称："), page), "标签8", {26, 31, 33, 24});
    nicknameEdit_ = place(new QLineEdit(page), "编辑框2", {71, 31, 276, 20});
    auto* contact = place(new QLabel(QStringLiteral("邮箱或QQ："), page), "标签9", {3, 58, 56, 24});
    contactEdit_ = place(new QLineEdit(page), "编辑框3", {71, 57, 276, 20});
    auto* content = place(new QLabel(QStringLiteral("内容："), page), "标签10", {26, 84, 33, 24});
    messageEdit_ = place(new QPlainTextEdit(page), "编辑框4", {71, 86, 276, 123});
    for (QLabel* label : {nickname, contact, content})
        fitLabel(label, 71);
    submit_ = place(new QPushButton(QStringLiteral("提交"), page), "按钮23", {91, 211, 72, 28});
    auto* clear = place(new QPushButton(QStringLiteral("重填"), page), "按钮24", {232, 211, 72, 28});
    connect(submit_, &QPushButton::clicked, this, &FeedbackPage::SubmitFeedback);
    connect(clear, &QPushButton::clicked, this, &FeedbackPage::ClearFeedback);
}

void FeedbackPage::SubmitFeedback() {
    if (!submit_->isEnabled())
        return; // a post is on its way
    submit_->setEnabled(false);
    // Owned by this page: closing it cancels the post, and the answer never reaches a dead page.
    submitFeedback(
        nicknameEdit_->text(), contactEdit_->text(),
        messageEdit_->toPlainText().replace(QChar(u'\n'), QStringLiteral("\r\n")),
        [this](const QString& message) {
            submit_->setEnabled(true);
            dialogs_.message(message);
        },
        this, url_);
}

void FeedbackPage::ClearFeedback() {
    nicknameEdit_->clear();
    contactEdit_->clear();
    messageEdit_->clear();
}

} // namespace orvane
