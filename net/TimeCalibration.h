// Network time calibration: reading the time page's script text and setting the PC's clock from it.
#pragma once

#include "common/OleDateTime.h"
#include "net/PageFetch.h"

#include <QByteArray>

#include <functional>

namespace orvane {

class Clock;
class Dialogs;
class SystemTimeSetter;

// The 14 bytes from the "20" of "document.write('20", apostrophes removed; empty without the marker.
QByteArray timePageDateText(const QByteArray& page);
// The leading number of the 2 bytes after `marker` ("var hrs = "…); 0 without the marker.
int timePageValue(const QByteArray& page, const QByteArray& marker);
// The page's date and time of day read as one date-time, moved on by `elapsedSeconds`; the null
// value (100-01-01) when the page holds no real date-time.
OleDateTime timeFromPage(const QByteArray& page, qint64 elapsedSeconds);
// Whole seconds from t0 to t1 as the calibration counts them.
qint64 elapsedWholeSeconds(const QDateTime& t0, const QDateTime& t1);

// Fetches the time page and returns; when the page arrives, sets the clock and says "网络校时完成" only
// when the clock was set; any failure is silent. `clock`, `setter` and `dialogs` must outlive the fetch.
// `fetch` defaults to FetchPage, `url` to the program's time page.
void SyncClockFromNetwork(const Clock& clock, SystemTimeSetter& setter, Dialogs& dialogs,
                          const AsyncPageFetcher& fetch = {}, const QByteArray& url = {});

} // namespace orvane
