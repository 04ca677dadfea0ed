// Feedback: the form body exactly as the product's form page takes it, and the thank-you check.
#include "net/Feedback.h"

#include "common/GbkText.h"
#include "common/WebAddresses.h"
#include "net/HttpRequest.h"

namespace orvane {

QByteArray feedbackBody(const QString& name, const QString& contact, const QString& message) {
    // The last piece is the form's submit button, its label " 提 交 " already percent-encoded in GBK.
    return "name=" + gbk::encode(name) + "&email=" + gbk::encode(contact) +
           "&sex=male.gif&content=" + gbk::encode(message) + "&subm=+%CC%E1+%BD%BB+";
}

bool feedbackThanked(const QByteArray& answer) {
    return gbk::find(answer, gbk::encode(QStringLiteral("谢谢您的宝贵意见")), 1) > 0;
}

QString feedbackMessage(const QByteArray& answer) {
    return feedbackThanked(answer) ? QStringLiteral("意见提交成功，感谢您的建议")
                                   : QStringLiteral("意见提交失败，请检测网络");
}

void submitFeedback(const QString& name, const QString& contact, const QString& message,
                    std::function<void(const QString& message)> done, QObject* owner, const QByteArray& url) {
    QByteArray method = "POST";
    HttpRequest(
        owner, url.isEmpty() ? web::feedbackPage() : url,
        [done = std::move(done)](const QByteArray& answer, const QByteArray&) {
            done(feedbackMessage(answer));
        },
        &method, std::nullopt, nullptr, feedbackBody(name, contact, message));
}

} // namespace orvane
