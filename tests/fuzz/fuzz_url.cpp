// Host, port and path of any address: the path is "/"-rooted and part of the address, the host has no
// port and no upper-case ASCII letter of its own.
#include "FuzzInput.h"
#include "common/GbkText.h"
#include "net/Url.h"

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray url = fuzz::bytes(data, size);
    const QByteArray host = UrlHost(url);
    UrlPort(url);
    const QByteArray path = UrlPath(url);
    fuzz::require(path.startsWith('/'), "path starts with /");
    fuzz::require(path == "/" || url.endsWith(path), "path is the address's tail");
    fuzz::require(gbk::find(host, ":", 1) < 0, "host without port");
    fuzz::require(gbk::asciiLower(host) == host, "host lower-cased");
    return 0;
}
