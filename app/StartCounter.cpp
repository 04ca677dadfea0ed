// Counting the program's starts.
#include "app/StartCounter.h"

#include "common/Log.h"
#include "common/NumberText.h"

namespace orvane {

qint64 CountStart(Database& db) {
    RecordSet rs = db.query(QStringLiteral("select * from [登陆次数]"));
    const bool hasRow = rs.first();
    const qint64 v = (hasRow ? truncToInt(readNumber(rs.text(QStringLiteral("登陆次数")))) : 0) + 1;
    rs.close();
    // A refused write still shows the new count; only the log tells.
    const bool written =
        hasRow ? db.execute(QStringLiteral("update [登陆次数] set [登陆次数]=?"), {v})
               : db.execute(QStringLiteral("insert into [登陆次数] ([登陆次数]) values (?)"), {v});
    if (!written)
        qCWarning(lcStore) << "cannot count this start:" << db.lastError();
    return v;
}

QString startCounterText(qint64 count) {
    return QStringLiteral("当前已使用：") + intText(count) + u'次';
}

} // namespace orvane
