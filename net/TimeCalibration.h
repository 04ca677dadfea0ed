// Network time calibration: reading the time page's script text, asking NTP, setting the PC's clock.
#pragma once

#include "common/OleDateTime.h"

#include "common/PageFetch.h"
#include "net/SntpClient.h"

#include <QByteArray>
#include <QObject>

#include <optional>

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

// The local clock's error below which it is left alone.
constexpr qint64 kCloseEnoughUsec = 500000;

// One 网络校时 at a time: the time page first, then SNTP when the page gives no date; the clock is set
// through `setter` unless it is already right within 0.5 s. "网络校时完成" is said when the clock is right
// or was set; every failure is silent and logged. Destroying it mid-way cancels what is left.
class NetworkTimeSync final : public QObject {
    Q_OBJECT
public:
    // `pageUrl` empty: the program's time page.
    NetworkTimeSync(const Clock& clock, SystemTimeSetter& setter, Dialogs& dialogs, PageFetch fetch,
                    NtpServers servers = NtpServers::standard(), QByteArray pageUrl = {},
                    QObject* parent = nullptr);

    // Does nothing while a calibration runs.
    void start();

signals:
    void finished();

private:
    void pageArrived(const QByteArray& page);
    void offsetKnown(std::optional<qint64> offsetUsec);
    void end();

    const Clock& clock_;
    SystemTimeSetter& setter_;
    Dialogs& dialogs_;
    PageFetch fetch_;
    NtpServers servers_;
    QByteArray pageUrl_;
    bool running_ = false;
    QDateTime fetchStarted_;
};

} // namespace orvane
