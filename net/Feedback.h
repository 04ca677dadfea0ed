// The feedback form's body and the reading of the server's answer.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace orvane {

// The seven-piece form body in GBK, the user's texts inserted unchanged (no escaping of "&" or "=").
QByteArray feedbackBody(const QString& name, const QString& contact, const QString& message);
// Whether the answer holds the server's thank-you phrase.
bool feedbackThanked(const QByteArray& answer);
// Posts the body and returns the message for the user: success only when the server thanked.
// `post` defaults to HttpRequest with method POST; `url` to the product's feedback page.
using FormPoster = std::function<QByteArray(const QByteArray& url, const QByteArray& body)>;
QString submitFeedbackMessage(const QString& name, const QString& contact, const QString& message,
                              const FormPoster& post = {}, const QByteArray& url = {});

} // namespace orvane
