// Hand geometry and label texts of the main window's left column.
#include "app/ClockText.h"

#include "common/GbkText.h"

#include <cmath>

namespace orvane {

namespace {

QPoint handEnd(double k, int x0, int length) {
    // 6.28, not 2π: the face has always been drawn with this constant.
    const double a = k * 6.28 / 60.0;
    return {int(std::trunc(std::cos(a) * length + x0)), int(std::trunc(std::sin(a) * length + 64))};
}

QString twoDigits(int n) {
    return QString(u'0' + QString::number(n)).right(2);
}

} // namespace

ClockHands clockHands(int hour, int minute, int second) {
    // minute / 12 is a fraction; the hour value is cut toward zero (02:30 gives -2, not -3).
    const double hourK = std::trunc(hour * 5 + minute / 12.0 - 15);
    return {
        {{64, 64}, handEnd(hourK, 64, 25), 3},
        {{65, 64}, handEnd(minute - 15, 65, 35), 2},
        {{65, 64}, handEnd(second - 15, 65, 45), 0},
    };
}

QString clockLabelText(const QDateTime& t) {
    const QDate d = t.date();
    const QTime c = t.time();
    return QString::number(d.year()) + u'/' + QString::number(d.month()) + u'/' + QString::number(d.day()) +
           u' ' + twoDigits(c.hour()) + u':' + twoDigits(c.minute()) + u':' + twoDigits(c.second());
}

const QStringList& weekdayTable() {
    static const QStringList table{QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"),
                                   QStringLiteral("四"), QStringLiteral("五"), QStringLiteral("六"),
                                   QStringLiteral("日")};
    return table;
}

QString weekdayChar(const QDate& date) {
    const int dow = date.dayOfWeek(); // 1 = Monday … 7 = Sunday
    return dow >= 1 && dow <= 7 ? weekdayTable().at(dow - 1) : QString();
}

QString weekdayGreeting(const QString& weekdayChar) {
    return QStringLiteral("你好,今天是星期") + weekdayChar;
}

QString lunarLabelText(const QString& lunarDateText) {
    // The cut is made on the GBK bytes, up to and including the first space.
    const QByteArray bytes = gbk::encode(lunarDateText);
    const qsizetype p = gbk::find(bytes, QByteArrayLiteral(" "), 1);
    return p < 1 ? QString() : gbk::decode(gbk::left(bytes, p));
}

} // namespace orvane
