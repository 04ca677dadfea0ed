// What the hourly chime says: number readings and the announcement for a time, written out as words.
#include "TestRegistry.h"
#include "alarm/ChimeSpeech.h"

#include <QtTest>

using namespace orvane;
using namespace orvane::chime;
using namespace Qt::Literals::StringLiterals;

namespace {

// A clip sequence as readable words: the intro is "叮咚", the closing tone "〔收〕".
QString words(const QList<Clip>& clips) {
    static const QStringList phrases{u"叮咚"_s, u"现在时刻"_s, u"〔收〕"_s, u"点"_s, u"分"_s, u"秒"_s};
    static const QStringList digits{u"零"_s, u"一"_s, u"二"_s, u"三"_s, u"四"_s, u"五"_s,
                                    u"六"_s, u"七"_s, u"八"_s, u"九"_s, u"十"_s};
    QStringList out;
    for (const Clip& clip : clips) {
        const QStringList& names = clip.kind == Clip::Kind::Phrase ? phrases : digits;
        out.append(clip.index >= 0 && clip.index < names.size() ? names[clip.index] : u"?"_s);
    }
    return out.join(u' ');
}

} // namespace

class ChimeSpeechTest : public QObject {
    Q_OBJECT
private slots:
    void speakNumber_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("said");
        QTest::newRow("0 says nothing") << 0 << QString();
        QTest::newRow("a single digit gets a spoken zero") << 5 << u"零 五"_s;
        QTest::newRow("9 stays below ten") << 9 << u"零 九"_s;
        QTest::newRow("10 is ten alone, not one ten") << 10 << u"十"_s;
        QTest::newRow("15 is ten five, no leading one") << 15 << u"十 五"_s;
        QTest::newRow("20 says no zero after ten") << 20 << u"二 十"_s;
        QTest::newRow("23 is two ten three") << 23 << u"二 十 三"_s;
        QTest::newRow("30 is three ten") << 30 << u"三 十"_s;
        QTest::newRow("59 is five ten nine") << 59 << u"五 十 九"_s;
    }
    void speakNumber() {
        QFETCH(int, n);
        QFETCH(QString, said);
        QCOMPARE(words(SpeakNumber(n)), said);
    }

    void announce_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("said");
        QTest::newRow("midnight: no hour number, but the hour unit")
            << QTime(0, 0) << u"叮咚 现在时刻 点 〔收〕"_s;
        QTest::newRow("08:00:00 reads the hour zero eight")
            << QTime(8, 0) << u"叮咚 现在时刻 零 八 点 〔收〕"_s;
        QTest::newRow("14:30:00 half-hour form with three ten minutes")
            << QTime(14, 30) << u"叮咚 现在时刻 十 四 点 三 十 分 〔收〕"_s;
        QTest::newRow("00:30:00 half past midnight keeps the hour unit")
            << QTime(0, 30) << u"叮咚 现在时刻 点 三 十 分 〔收〕"_s;
        QTest::newRow("21:07:00 exact form: the seconds unit with no number")
            << QTime(21, 7) << u"叮咚 现在时刻 二 十 一 点 零 七 分 秒 〔收〕"_s;
        QTest::newRow("23:59:59 exact form reads 59 seconds")
            << QTime(23, 59, 59) << u"叮咚 现在时刻 二 十 三 点 五 十 九 分 五 十 九 秒 〔收〕"_s;
        QTest::newRow("09:15:30 exact form: ten five minutes, three ten seconds")
            << QTime(9, 15, 30) << u"叮咚 现在时刻 零 九 点 十 五 分 三 十 秒 〔收〕"_s;
        QTest::newRow("10:00:30 inside the full-hour minute is silent") << QTime(10, 0, 30) << QString();
        QTest::newRow("10:00:01 just after the full hour is silent") << QTime(10, 0, 1) << QString();
        QTest::newRow("10:30:59 inside the half-hour minute is silent") << QTime(10, 30, 59) << QString();
        QTest::newRow("milliseconds do not count as seconds")
            << QTime(10, 0, 0, 20) << u"叮咚 现在时刻 十 点 〔收〕"_s;
    }
    void announce() {
        QFETCH(QTime, time);
        QFETCH(QString, said);
        QCOMPARE(words(AnnounceTime(time)), said);
    }

    void everyFullHour_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<QString>("hourWords");
        const QStringList readings{QString(),  u"零 一"_s,    u"零 二"_s,    u"零 三"_s,   u"零 四"_s,
                                   u"零 五"_s, u"零 六"_s,    u"零 七"_s,    u"零 八"_s,   u"零 九"_s,
                                   u"十"_s,    u"十 一"_s,    u"十 二"_s,    u"十 三"_s,   u"十 四"_s,
                                   u"十 五"_s, u"十 六"_s,    u"十 七"_s,    u"十 八"_s,   u"十 九"_s,
                                   u"二 十"_s, u"二 十 一"_s, u"二 十 二"_s, u"二 十 三"_s};
        for (int h = 0; h < 24; ++h)
            QTest::addRow("hour %d reads %s", h, h == 0 ? "no number" : qPrintable(readings[h]))
                << h << readings[h];
    }
    void everyFullHour() {
        QFETCH(int, hour);
        QFETCH(QString, hourWords);
        const QString middle = hourWords.isEmpty() ? QString() : hourWords + u' ';
        QCOMPARE(words(AnnounceTime(QTime(hour, 0))), u"叮咚 现在时刻 "_s + middle + u"点 〔收〕"_s);
    }
};

ORVANE_TEST(ChimeSpeechTest)
#include "test_ChimeSpeech.moc"
