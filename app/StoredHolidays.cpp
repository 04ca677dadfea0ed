// Reading and writing the imported holiday file.
#include "app/StoredHolidays.h"

#include "calendar/HolidayIcs.h"
#include "common/FileWrite.h"
#include "common/Log.h"

#include <QFile>

namespace orvane {

QString storedHolidaysFile(const Paths& paths) {
    return paths.windowsFile(QStringLiteral("holidays.ics"));
}

bool storeHolidays(const Paths& paths, const QByteArray& text) {
    return writeWholeFile(storedHolidaysFile(paths), text);
}

void loadStoredHolidays(const Paths& paths) {
    QFile file(storedHolidaysFile(paths));
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcStore) << "cannot read" << file.fileName() << file.errorString();
        return;
    }
    QString error;
    const std::optional<HolidayTable> imported = parseHolidayIcs(file.readAll(), &error);
    if (!imported) {
        qCWarning(lcStore) << "ignoring" << file.fileName() << error;
        return;
    }
    setHolidayTable(HolidayTable::carried().overriddenBy(*imported));
}

} // namespace orvane
