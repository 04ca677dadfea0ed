// Cutting the stored alarms on first use.
#include "alarm/AlarmRows.h"

#include <QStringDecoder>
#include <QVarLengthArray>

#include <utility>

namespace orvane {

AlarmRows::AlarmRows(std::vector<StoredAlarm> alarms)
    : stored_(std::move(alarms)), blocks_((stored_.size() + blockRows - 1) / blockRows),
      cut_(stored_.size()) {}

const Alarm& AlarmRows::at(int row) {
    std::unique_ptr<Alarm[]>& block = blocks_[size_t(row / blockRows)];
    if (!block)
        block = std::make_unique<Alarm[]>(blockRows);
    Alarm& alarm = block[size_t(row % blockRows)];
    if (cut_[size_t(row)])
        return alarm;
    StoredAlarm& stored = stored_[size_t(row)];
    // The three texts are decoded side by side into one buffer, mostly on the stack, so that the alarm's
    // pieces are the only strings made. Decoded as QString::fromUtf8 decodes: a leading byte-order mark
    // is dropped, a bad byte becomes U+FFFD, and nothing of one text carries over into the next.
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
    alarm = alarmFrom(stored.key, due, ring, prompt);
    cut_[size_t(row)] = true;
    // The alarm holds what is needed; the stored texts would only double the memory.
    stored.texts = QByteArray();
    return alarm;
}

} // namespace orvane
