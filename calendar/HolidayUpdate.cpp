// Fetching, reading, storing and putting in force a holiday file.
#include "calendar/HolidayUpdate.h"

#include "calendar/HolidayIcs.h"
#include "common/FileWrite.h"
#include "common/Log.h"

#include <QFile>
#include <QPointer>

namespace orvane {

HolidayUpdate::HolidayUpdate(QString storedFile, PageFetch fetch, QObject* parent)
    : QObject(parent), storedFile_(std::move(storedFile)), fetch_(std::move(fetch)) {}

void HolidayUpdate::fetchFrom(const QString& address) {
    if (!fetch_) {
        emit finished(downloadFailedText(), false);
        return;
    }
    // This object may be gone when the download ends.
    fetch_({address.toUtf8(), {}}, [self = QPointer<HolidayUpdate>(this)](const QByteArray& text) {
        if (self == nullptr)
            return;
        if (text.isEmpty()) {
            qCWarning(lcNet) << "the holiday file could not be downloaded";
            emit self->finished(downloadFailedText(), false);
            return;
        }
        bool changed = false;
        const QString message = self->importText(text, &changed);
        emit self->finished(message, changed);
    });
}

QString HolidayUpdate::importText(const QByteArray& text, bool* changed) {
    if (changed != nullptr)
        *changed = false;
    QString error;
    const std::optional<HolidayTable> imported = parseHolidayIcs(text, &error);
    if (!imported)
        return error;
    // Stored first: a table in force that the next start would not find again would mislead.
    if (!writeWholeFile(storedFile_, text)) {
        qCWarning(lcStore) << "cannot store" << storedFile_;
        return QStringLiteral("无法保存节假日文件");
    }
    setHolidayTable(HolidayTable::carried().overriddenBy(*imported));
    if (changed != nullptr)
        *changed = true;
    return QStringLiteral("节假日已更新：") + holidayYearsText(*imported);
}

void loadStoredHolidays(const QString& storedFile) {
    QFile file(storedFile);
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
