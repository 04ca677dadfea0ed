// The time page's markers, the date window and the correction for the seconds the fetch took.
#include "net/TimeCalibration.h"

#include "common/GbkText.h"
#include "common/NumberText.h"
#include "common/WebAddresses.h"
#include "net/HttpRequest.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/SystemTimeSetter.h"

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

void SyncClockFromNetwork(const Clock& clock, SystemTimeSetter& setter, Dialogs& dialogs,
                          const AsyncPageFetcher& fetch, const QByteArray& url) {
    const QDateTime t0 = clock.now();
    const QByteArray address = url.isEmpty() ? web::timeServicePage() : url;
    const auto arrived = [&clock, &setter, &dialogs, t0](const QByteArray& fetched) {
        const QByteArray page = gbk::cutAtZero(fetched);
        const OleDateTime t = timeFromPage(page, elapsedWholeSeconds(t0, clock.now()));
        // A page that did not read is never handed to the clock (its 100-01-01 would be refused anyway).
        if (t.isNull() || !setter.setLocalTime(t.toQDateTime()))
            return;
        dialogs.message(QStringLiteral("网络校时完成"));
    };
    if (fetch)
        fetch(address, arrived);
    else
        FetchPage(address, arrived);
}

} // namespace orvane
