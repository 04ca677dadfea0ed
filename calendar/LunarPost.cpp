// Where the lunar lookup gets its page: the configured service over HTTP, or the built-in one.
#include "calendar/LunarLookupWindow.h"

#include "calendar/LunarPage.h"
#include "common/WebAddresses.h"
#include "net/HttpRequest.h"
#include "platform/Clock.h"

namespace orvane {

LunarPost lunarPost(const QByteArray& serviceAddress, const Clock& clock) {
    if (serviceAddress.isEmpty())
        return [&clock](const QByteArray& body) { return builtInLunarPage(body, clock.now().date()); };
    return [serviceAddress](const QByteArray& body) {
        QByteArray method = "POST";
        return HttpRequest(serviceAddress, &method, std::nullopt, nullptr, body);
    };
}

LunarLookupWindow* openLunarLookup(const Clock& clock, QWidget* parent) {
    auto* window = new LunarLookupWindow(clock, lunarPost(web::lunarService(), clock), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

} // namespace orvane
