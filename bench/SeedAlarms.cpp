// Plausible alarm rows: mixed repeat rules, due times, ring settings and reminder texts of varied length.
#include "bench/SeedAlarms.h"

#include "alarm/AlarmTable.h"

#include <QStringList>

namespace orvane::bench {

bool seedAlarms(Database& db, int count) {
    const QStringList rules{QStringLiteral("每天"), QStringLiteral("星期一"), QStringLiteral("星期三"),
                            QStringLiteral("星期五"), QStringLiteral("星期日")};
    const QStringList rings{QStringLiteral("真|默认"), QStringLiteral("假|默认"),
                            QStringLiteral("真|/home/user/音乐/起床铃声.mp3")};
    const QStringList prompts{QStringLiteral("开会"), QStringLiteral("给家里打电话"),
                              QStringLiteral("提交本周的工作报告，别忘了附上数据表")};
    // First due dates lie far ahead, so no alarm (they repeat) fires while a benchmark runs; a scan still
    // works out each one's next ring.
    if (!db.execute(QStringLiteral("BEGIN")))
        return false;
    for (int i = 0; i < count; ++i) {
        const QString due = rules.at(i % rules.size()) + QStringLiteral("|2099年%1月%2日%3时%4分")
                                                             .arg(1 + i % 12)
                                                             .arg(1 + i % 28)
                                                             .arg(i % 24, 2, 10, QLatin1Char('0'))
                                                             .arg(i % 60, 2, 10, QLatin1Char('0'));
        const QString prompt = (i % 4 == 0 ? QStringLiteral("假|") : QStringLiteral("真|")) +
                               prompts.at(i % prompts.size()) + u' ' + QString::number(i + 1);
        if (!db.execute(alarmsql::insert(), {due, rings.at(i % rings.size()), prompt})) {
            db.execute(QStringLiteral("ROLLBACK"));
            return false;
        }
    }
    return db.execute(QStringLiteral("COMMIT"));
}

} // namespace orvane::bench
