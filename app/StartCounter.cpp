// Counting the program's starts.
#include "app/StartCounter.h"

#include "common/NumberText.h"

namespace orvane {

qint64 CountStart(Database& db) {
    RecordSet rs = db.query(QStringLiteral("select * from [登陆次数]"));
    const bool hasRow = rs.first();
    const qint64 v = (hasRow ? truncToInt(readNumber(rs.text(QStringLiteral("登陆次数")))) : 0) + 1;
    rs.close();
    // The result is not examined: a refused update still shows the new count.
    if (hasRow)
        db.execute(QStringLiteral("update [登陆次数] set [登陆次数]=?"), {v});
    else
        db.execute(QStringLiteral("insert into [登陆次数] ([登陆次数]) values (?)"), {v});
    return v;
}

QString startCounterText(qint64 count) {
    return QStringLiteral("当前已使用：") + intText(count) + u'次';
}

} // namespace orvane
