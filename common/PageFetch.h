// Fetching a page, the one way every part asks the network (or a stand-in) for one: a GET, or a POST of
// a form. The body (cut at its first zero byte; empty on failure) arrives later, in the event loop, never
// inside the call.
#pragma once

#include <QByteArray>

#include <functional>

namespace orvane {

struct PageRequest {
    QByteArray url;
    QByteArray postData; // a form to post (GBK bytes); empty: a plain GET
};

using PageCallback = std::function<void(const QByteArray& page)>;
using PageFetch = std::function<void(const PageRequest& request, PageCallback done)>;

} // namespace orvane
