// Cutting the stored alarms on first use.
#include "alarm/AlarmRows.h"

#include "alarm/AlarmCodec.h"

#include <QStringDecoder>
#include <QVarLengthArray>

#include <utility>

namespace orvane {

namespace {

Alarm cut(const StoredAlarm& stored) {
    // The three texts are decoded side by side into one buffer, mostly on the stack. Decoded as
    // QString::fromUtf8 decodes: a leading byte-order mark is dropped, a bad byte becomes U+FFFD, and
    // nothing of one text carries over into the next.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QVarLengthArray<QChar, 512> buffer(decoder.requiredSpace(stored.dueEnd) +
                                       decoder.requiredSpace(stored.ringEnd - stored.dueEnd) +
                                       decoder.requiredSpace(stored.texts.size() - stored.ringEnd));
    QChar* at = buffer.data();
    const auto decode = [&](QByteArrayView bytes) {
        QChar* const begin = at;
        at = decoder.appendToBuffer(at, bytes);
        return QStringView(begin, at);
    };
    const QStringView due = decode(stored.due());
    const QStringView ring = decode(stored.ring());
    const QStringView prompt = decode(stored.prompt());
    return decodeAlarm(stored.key, due, ring, prompt);
}

} // namespace

AlarmRows::AlarmRows(std::vector<StoredAlarm> alarms) {
    rows_.reserve(alarms.size());
    for (StoredAlarm& stored : alarms)
        append(std::move(stored));
}

const Alarm& AlarmRows::at(int row) const {
    const Row& r = rows_[size_t(row)];
    if (!r.alarm) {
        r.alarm = std::make_unique<Alarm>(cut(r.stored));
        // The alarm holds what is needed; the stored bytes would only double the memory.
        r.stored.texts = QByteArray();
    }
    return *r.alarm;
}

int AlarmRows::rowOf(qint64 key) const {
    for (size_t r = 0; r < rows_.size(); ++r)
        if (rows_[r].key == key)
            return int(r);
    return -1;
}

void AlarmRows::append(StoredAlarm stored) {
    Row& row = rows_.emplace_back();
    row.key = stored.key;
    row.stored = std::move(stored);
}

void AlarmRows::replace(int row, StoredAlarm stored) {
    Row& r = rows_[size_t(row)];
    r.key = stored.key;
    r.stored = std::move(stored);
    r.alarm.reset();
}

void AlarmRows::erase(int row) {
    rows_.erase(rows_.begin() + row);
}

} // namespace orvane
