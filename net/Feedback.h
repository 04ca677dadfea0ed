// The feedback form's body and the reading of the server's answer.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QObject;

namespace orvane {

// The seven-piece form body in GBK, the user's texts inserted unchanged (no escaping of "&" or "=").
QByteArray feedbackBody(const QString& name, const QString& contact, const QString& message);
// Whether the answer holds the server's thank-you phrase.
bool feedbackThanked(const QByteArray& answer);
// The message for the user: success only when the server thanked.
QString feedbackMessage(const QByteArray& answer);
// Posts the body to `url` (the product's feedback page when empty) and hands the message for the user
// to `done`, later in the event loop. Deleting `owner` cancels the post, and `done` never runs.
void submitFeedback(const QString& name, const QString& contact, const QString& message,
                    std::function<void(const QString& message)> done, QObject* owner = nullptr,
                    const QByteArray& url = {});

} // namespace orvane
