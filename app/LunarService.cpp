// The lunar lookup's post wired to the HTTP layer or to the built-in service, and its window opened.
#include "app/LunarService.h"

#include "calendar/LunarExchange.h"
#include "common/WebAddresses.h"
#include "net/HttpRequest.h"
#include "platform/Clock.h"

namespace orvane {

LunarPost lunarPost(const QByteArray& serviceAddress, const Clock& clock) {
    if (serviceAddress.isEmpty())
        return [&clock](const QByteArray& body, const std::function<void(QByteArray)>& done) {
            done(builtInLunarPage(body, clock.now().date()));
        };
    // The window drops an answer that arrives after it closed; the exchange itself runs to its end.
    return [serviceAddress](const QByteArray& body, std::function<void(QByteArray)> done) {
        QByteArray method = "POST";
        HttpRequest(
            nullptr, serviceAddress,
            [done = std::move(done)](const QByteArray& page, const QByteArray&) { done(page); }, &method,
            std::nullopt, nullptr, body);
    };
}

LunarLookupWindow* openLunarLookup(const Clock& clock, QWidget* parent) {
    auto* window = new LunarLookupWindow(clock, lunarPost(web::lunarService(), clock), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

} // namespace orvane
