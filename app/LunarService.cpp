// The lunar lookup's post wired to the HTTP layer or to the built-in service, and its window opened.
#include "app/LunarService.h"

#include "calendar/LunarExchange.h"
#include "common/WebAddresses.h"
#include "net/HttpRequest.h"
#include "platform/Clock.h"

namespace orvane {

PageFetch lunarFetch(const QByteArray& serviceAddress, const Clock& clock) {
    if (serviceAddress.isEmpty())
        return [&clock](const PageRequest& request, const PageCallback& done) {
            done(builtInLunarPage(request.postData, clock.now().date()));
        };
    // The window drops an answer that arrives after it closed; the exchange itself runs to its end.
    return pageFetcher();
}

LunarLookupWindow* openLunarLookup(const Clock& clock, QWidget* parent) {
    const QByteArray address = web::lunarService();
    auto* window = new LunarLookupWindow(clock, lunarFetch(address, clock), address, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

} // namespace orvane
