// One complete HTTP exchange as the program's forms and pages need it, and a plain page fetch; both
// return at once and answer later, in the event loop.
#pragma once

#include "common/PageFetch.h"

#include <QByteArray>

#include <functional>
#include <optional>

class QObject;

namespace orvane {

// The body cut at its first zero byte (what arrived when the exchange broke off; empty when nothing
// did) and the raw response header block (1024 blanks when it does not fit in 1023 bytes or none came).
using HttpCallback = std::function<void(const QByteArray& body, const QByteArray& responseHeaders)>;

// Posts (method "POST", any case) or gets `url`, following up to five redirects (to https too).
// `method` and `headers` are in/out and written before the call returns: a method other than POST is
// written back as "GET", and the default header lines are appended to `headers`. A given `proxy`
// ("host:port") routes the request through that HTTP proxy; without one the request goes direct,
// whatever the environment says. All texts are GBK bytes. The exchange belongs to `owner` when given:
// deleting `owner` cancels it and `done` never runs.
void HttpRequest(QObject* owner, const QByteArray& url, HttpCallback done, QByteArray* method = nullptr,
                 const std::optional<QByteArray>& proxy = std::nullopt, QByteArray* headers = nullptr,
                 const QByteArray& postData = {});

// A plain HTTP/1.0 GET with "Accept: */*", as PageFetch.h describes; deleting `owner` cancels it.
void FetchPage(const QByteArray& url, PageCallback done, QObject* owner = nullptr);
// The shared fetch over HTTP: FetchPage for a GET, HttpRequest's POST for a form; the requests are owned
// by `owner` when given.
PageFetch pageFetcher(QObject* owner = nullptr);

} // namespace orvane
