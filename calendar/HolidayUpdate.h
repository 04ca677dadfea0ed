// "更新节假日" as calendar logic: a holiday file fetched from an address or read from a file the user
// picked, parsed, stored beside the database and put in force; and the stored file put in force at a start.
#pragma once

#include "common/PageFetch.h"

#include <QObject>
#include <QString>

namespace orvane {

class HolidayUpdate : public QObject {
    Q_OBJECT
public:
    // `storedFile`: where the imported file is kept ("holidays.ics" beside "dbtime.mdb").
    HolidayUpdate(QString storedFile, PageFetch fetch, QObject* parent = nullptr);

    // Downloads the file at the address; finished() tells how it went, later.
    void fetchFrom(const QString& address);
    // Reads a file's text: a table in force only once stored, so the next start finds it again. Returns
    // the message for the user; `changed` tells whether a new table is in force.
    QString importText(const QByteArray& text, bool* changed = nullptr);

    static QString downloadFailedText() { return QStringLiteral("无法下载节假日文件"); }

signals:
    void finished(const QString& message, bool changed);

private:
    QString storedFile_;
    PageFetch fetch_;
};

// Puts the carried table with the stored file's years in front in force. No file leaves the carried
// table; a file that cannot be read is logged and ignored.
void loadStoredHolidays(const QString& storedFile);

} // namespace orvane
