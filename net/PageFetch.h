// net/PageFetch.h
// An asynchronous page fetch: the body (cut at its first zero byte; empty on failure) arrives later, in
// the event loop, never inside the call.
#pragma once

#include <QByteArray>

#include <functional>

namespace orvane {

using PageCallback = std::function<void(const QByteArray& page)>;
using AsyncPageFetcher = std::function<void(const QByteArray& url, PageCallback done)>;

} // namespace orvane
