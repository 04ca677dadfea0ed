// The time page's markers, the date window, the fetch's seconds; the calibration's steps.
#include "net/TimeCalibration.h"

#include "common/GbkText.h"
#include "common/Log.h"
#include "common/NumberText.h"
#include "common/WebAddresses.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/SystemTimeSetter.h"

#include <QPointer>

#include <cstdlib>

namespace orvane {

namespace {
constexpr char kDateMarker[] = "document.write('20";
constexpr qsizetype kDateWindow = 14;
constexpr double kRoundingSlack = 0.5 / 86400; // seconds: absorbs the error of a day-count difference

// The 1-based position just past `marker`, or -1 when it is missing.
qsizetype pastMarker(const QByteArray& page, const QByteArray& marker) {
    const qsizetype p = gbk::find(page, marker, 1);
    return p >= 1 ? p + marker.size() : -1;
}

} // namespace

QByteArray timePageDateText(const QByteArray& page) {
    const qsizetype p = pastMarker(page, kDateMarker);
    // The window starts at the "20" that ends the marker; a missing marker puts it outside the page.
    return gbk::mid(page, p - 2, kDateWindow).replace('\'', QByteArray());
}

int timePageValue(const QByteArray& page, const QByteArray& marker) {
    const QByteArray digits = gbk::mid(page, pastMarker(page, marker), 2);
    return int(truncToInt(readNumber(QString::fromLatin1(digits))));
}

OleDateTime timeFromPage(const QByteArray& page, qint64 elapsedSeconds) {
    const QString text = gbk::decode(timePageDateText(page)) + intText(timePageValue(page, "var hrs = ")) +
                         u"时" + intText(timePageValue(page, "var min = ")) + u"分" +
                         intText(timePageValue(page, "var sec = ")) + u"秒";
    const OleDateTime read = OleDateTime::fromText(text);
    return read.isNull() ? read : read.addSeconds(elapsedSeconds);
}

qint64 elapsedWholeSeconds(const QDateTime& t0, const QDateTime& t1) {
    const double days = OleDateTime::fromQDateTime(t1).days() - OleDateTime::fromQDateTime(t0).days();
    return truncToInt(days * 86400 + kRoundingSlack);
}

NetworkTimeSync::NetworkTimeSync(const Clock& clock, SystemTimeSetter& setter, Dialogs& dialogs,
                                 PageFetch fetch, NtpServers servers, QByteArray pageUrl, QObject* parent)
    : QObject(parent), clock_(clock), setter_(setter), dialogs_(dialogs), fetch_(std::move(fetch)),
      servers_(std::move(servers)), pageUrl_(std::move(pageUrl)) {}

void NetworkTimeSync::start() {
    if (running_)
        return;
    running_ = true;
    fetchStarted_ = clock_.now();
    fetch_({pageUrl_.isEmpty() ? web::timeServicePage() : pageUrl_, {}},
           [self = QPointer(this)](const QByteArray& page) {
               if (self)
                   self->pageArrived(page);
           });
}

void NetworkTimeSync::pageArrived(const QByteArray& page) {
    const QDateTime now = clock_.now();
    const OleDateTime t = timeFromPage(gbk::cutAtZero(page), elapsedWholeSeconds(fetchStarted_, now));
    if (!t.isNull())
        return offsetKnown(now.msecsTo(t.toQDateTime()) * 1000);
    qCWarning(lcNet) << "the time page gave no date; asking NTP";
    // Owned by this object, so that destroying it mid-way closes the sockets and drops the answer.
    auto* query = new SntpQuery(clock_, servers_, this);
    query->start([this, query](std::optional<qint64> offsetUsec) {
        query->deleteLater();
        offsetKnown(offsetUsec);
    });
}

void NetworkTimeSync::offsetKnown(std::optional<qint64> offsetUsec) {
    if (!offsetUsec) {
        qCWarning(lcNet) << "network time: no source answered";
        return end();
    }
    if (std::abs(*offsetUsec) < kCloseEnoughUsec) {
        dialogs_.message(QStringLiteral("网络校时完成"));
        return end();
    }
    // The target is read from the clock now, so the time spent since the answer is not lost.
    const QDateTime target = clock_.now().addMSecs((*offsetUsec + (*offsetUsec >= 0 ? 500 : -500)) / 1000);
    setter_.setTime(target, [self = QPointer(this), offsetUsec](TimeSetResult result, const QString& why) {
        if (!self)
            return;
        if (result == TimeSetResult::Set)
            self->dialogs_.message(QStringLiteral("网络校时完成"));
        else if (result == TimeSetResult::AutomaticSyncOn)
            // The system keeps the clock itself; it is off by at least 0.5 s here, so nothing is claimed.
            qCWarning(lcNet) << "clock off by" << *offsetUsec / 1000 << "ms, left to automatic sync:" << why;
        else
            qCWarning(lcNet) << "clock not set:" << why;
        self->end();
    });
}

void NetworkTimeSync::end() {
    running_ = false;
    emit finished();
}

} // namespace orvane
