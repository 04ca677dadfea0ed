// Lunar lookup: form body, marker cutting, and the built-in service's page.
#include "calendar/LunarExchange.h"

#include "calendar/LunarFacts.h"
#include "common/GbkText.h"

#include <QList>

namespace orvane {

namespace {

struct Marker {
    const char16_t* text;
    char terminator;
};
const Marker kMarkers[] = {{u"公历：", '<'},     {u"农历：", '<'},     {u"四柱：", '&'}, {u"节气：", '<'},
                           {u"二十八宿：", '<'}, {u"甲子纳音：", '<'}, {u"距今：", '<'}};

// Two ideographic blanks: the four bytes between a marker and its value, none of them a terminator.
const QString kGap = QStringLiteral("\u3000\u3000");

QDate bodyDate(const QByteArray& body) {
    int year = 0, month = 0, day = 0;
    for (const QByteArray& pair : body.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        const QByteArray key = pair.left(eq);
        bool ok = false;
        const int value = pair.mid(eq + 1).toInt(&ok);
        if (!ok)
            continue;
        if (key == "year")
            year = value;
        else if (key == "month")
            month = value;
        else if (key == "day")
            day = value;
    }
    return QDate(year, month, day);
}

} // namespace

QByteArray lunarFormBody(const QString& year, const QString& month, const QString& day) {
    return "year=" + gbk::encode(year) + "&month=" + gbk::encode(month) + "&day=" + gbk::encode(day) +
           "&image.x=8&image.y=9";
}

QByteArray cutMarkedValue(const QByteArray& page, const QByteArray& marker, char terminator) {
    const qsizetype s = gbk::find(page, marker, 1);
    if (s < 0)
        return {};
    const qsizetype e = gbk::find(page, QByteArray(1, terminator), s + 1);
    const qsizetype length = e - s - marker.size() - 4;
    if (e < 0 || length <= 0)
        return {};
    return gbk::mid(page, s + marker.size() + 4, length);
}

QString lunarResultText(const QByteArray& page) {
    QString text;
    for (const Marker& m : kMarkers) {
        const QString marker = QString::fromUtf16(m.text);
        text += marker + gbk::decode(cutMarkedValue(page, gbk::encode(marker), m.terminator)) +
                QStringLiteral("\r\n");
    }
    return text;
}

QByteArray builtInLunarPage(const QByteArray& body, QDate today) {
    const QDate date = bodyDate(body);
    QString page = QStringLiteral("<html><head><title>农历查询</title></head><body>\r\n");
    if (!date.isValid() || date.year() < 1901 || date.year() > 2099) {
        page += QStringLiteral("<p>请选择1901年至2099年之间的日期</p>\r\n</body></html>\r\n");
        return gbk::encode(page);
    }
    const QString values[7] = {gregorianText(date),      lunarText(date),    fourPillarsText(date),
                               solarTermText(date),      lunarMansion(date), naYinText(date),
                               distanceText(date, today)};
    for (int i = 0; i < 7; ++i) {
        const Marker& m = kMarkers[i];
        page += QStringLiteral("<p>") + QString::fromUtf16(m.text) + kGap + values[i] +
                (m.terminator == '&' ? QStringLiteral("&nbsp;</p>\r\n") : QStringLiteral("</p>\r\n"));
    }
    return gbk::encode(page + QStringLiteral("</body></html>\r\n"));
}

} // namespace orvane
