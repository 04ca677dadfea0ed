// A small HTTP client with the operations and handle life of the Windows internet functions, over libcurl.
#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>

namespace orvane::inet {

// Root, connection and request handles; each is closed with InternetCloseHandle, in any order.
struct HandleObject;
using Handle = HandleObject*;

enum AccessType { OpenTypeDirect = 1, OpenTypeProxy = 3 };
enum Service { ServiceHttp = 3 };
enum Option { OptionConnectTimeout = 2, OptionSendTimeout = 5, OptionReceiveTimeout = 6 };
enum QueryLevel { QueryRawHeadersCrlf = 22 };
constexpr std::uint32_t FlagReload = 0x80000000u;       // always from the server
constexpr std::uint32_t FlagNoCacheWrite = 0x04000000u; // nothing kept
constexpr int DefaultTimeoutMs = 60000;

// `proxy` with OpenTypeProxy is a list like "http=host:port"; a list without a usable http entry fails.
Handle InternetOpen(const QByteArray& agent, int accessType, const QByteArray& proxy,
                    const QByteArray& bypass, std::uint32_t flags);
// Port 0 means the service's default (80). Nothing is sent yet.
Handle InternetConnect(Handle root, const QByteArray& server, int port, const QByteArray& user,
                       const QByteArray& password, int service, std::uint32_t flags, std::uintptr_t context);
// `version` "HTTP/1.0" or "HTTP/1.1"; `verb` is sent as written (a POST in any case carries a body).
Handle HttpOpenRequest(Handle connection, const QByteArray& verb, const QByteArray& object,
                       const QByteArray& version, const QByteArray& referrer,
                       const QList<QByteArray>& acceptTypes, std::uint32_t flags, std::uintptr_t context);
// Time-outs in milliseconds. The send and receive time-outs limit how long the exchange may go
// without a byte moving.
bool InternetSetOption(Handle request, int option, std::uint32_t value);
// Sends the request with `headers` (lines ending in CR LF, sent in their order after Host and
// User-Agent) and `body`; returns once the response headers have arrived, false when the exchange
// failed (refused, unreachable, timed out).
bool HttpSendRequest(Handle request, const QByteArray& headers, const QByteArray& body);
// Up to `toRead` bytes of the body; waits for at least one. *read is 0 at the end of the body and
// after any failure (which also returns false).
bool InternetReadFile(Handle request, char* buffer, int toRead, int* read);
// The raw response header block with CR LF line ends, terminated by a zero byte. Fails and leaves
// `buffer` as it was when the block and its zero do not fit in *length bytes (then *length is the
// size needed).
bool HttpQueryInfo(Handle request, int level, char* buffer, int* length);
bool InternetCloseHandle(Handle handle);

// Handles opened and not yet closed, process-wide (every path must end at 0).
int openHandleCount();

} // namespace orvane::inet
