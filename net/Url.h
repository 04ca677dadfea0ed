// The parts of a web address as the HTTP layer needs them: host, port and object path (GBK bytes).
#pragma once

#include <QByteArray>

namespace orvane {

// The host without port, ASCII letters lower-cased (double-byte characters kept as they are).
QByteArray UrlHost(const QByteArray& url);
// The port after the host's first ":", read as a leading number (0 when it is none); 80 without one.
int UrlPort(const QByteArray& url);
// The object path with its query, from the first "/" after the host; "/" when there is none.
QByteArray UrlPath(const QByteArray& url);

} // namespace orvane
