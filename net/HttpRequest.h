// One complete HTTP exchange as the program's forms and pages need it, and a plain page fetch.
#pragma once

#include <QByteArray>

#include <optional>

namespace orvane {

// Posts (method "POST", any case) or gets `url` and returns the response body cut at its first zero
// byte; empty on any failure. `method` and `headers` are in/out: a method other than POST is written
// back as "GET", and the default header lines are appended to `headers`. A given `proxy` ("host:port")
// routes the request through that HTTP proxy; without one the request goes direct, whatever the
// environment says. `responseHeaders`, when given, receives the raw header block (1024 blanks when it
// does not fit in 1023 bytes). All texts are GBK bytes. Events are processed while it waits.
QByteArray HttpRequest(const QByteArray& url, QByteArray* method = nullptr,
                       const std::optional<QByteArray>& proxy = std::nullopt, QByteArray* headers = nullptr,
                       const QByteArray& postData = {}, QByteArray* responseHeaders = nullptr);

// A plain HTTP/1.0 GET with "Accept: */*": the body bytes (those received so far when the read
// fails part-way), empty when the request cannot be made.
QByteArray FetchPage(const QByteArray& url);

} // namespace orvane
