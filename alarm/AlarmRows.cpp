// Cutting the stored alarms into list cells on first use.
#include "alarm/AlarmRows.h"

#include <QStringDecoder>
#include <QVarLengthArray>

#include <utility>

namespace orvane {

AlarmRows::AlarmRows(std::vector<StoredAlarm> alarms) {
    slots_.reserve(alarms.size());
    for (StoredAlarm& alarm : alarms)
        slots_.push_back({std::move(alarm), {}, false});
}

const AlarmListRow& AlarmRows::cells(int row) {
    Slot& slot = slots_[size_t(row)];
    if (slot.isCut)
        return slot.cells;
    const StoredAlarm& stored = slot.stored;
    // The three texts are decoded side by side into one buffer, mostly on the stack, so that the cells
    // are the only strings made: a scan of every row then finds them close together. Decoded as
    // QString::fromUtf8 decodes: a leading byte-order mark is dropped, a bad byte becomes U+FFFD, and
    // nothing of one text carries over into the next.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QVarLengthArray<QChar, 512> buffer(decoder.requiredSpace(stored.dueField.size()) +
                                       decoder.requiredSpace(stored.ringField.size()) +
                                       decoder.requiredSpace(stored.promptField.size()));
    QChar* at = buffer.data();
    const auto decode = [&](const QByteArray& bytes) {
        QChar* const begin = at;
        at = decoder.appendToBuffer(at, bytes);
        return QStringView(begin, at);
    };
    const QStringView due = decode(stored.dueField);
    const QStringView ring = decode(stored.ringField);
    const QStringView prompt = decode(stored.promptField);
    slot.cells = alarmListRow(row + 1, stored.key, due, ring, prompt);
    // The cells hold what is needed; the stored texts would only double the memory.
    slot.stored = {};
    slot.isCut = true;
    return slot.cells;
}

} // namespace orvane
