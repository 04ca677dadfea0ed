// Loading the chime clips from the resources and reading their play length from the RIFF chunks.
#include "alarm/ChimeClips.h"

#include "common/Log.h"

#include <QByteArrayView>
#include <QResource>

namespace orvane::chime {

namespace {

quint32 le32(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}
quint16 le16(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return quint16(p[0] | p[1] << 8);
}

QByteArray carried(const QString& path) {
    const QResource resource(path);
    if (!resource.isValid()) {
        qCWarning(lcAlarm) << "the chime has no clip" << path;
        return {};
    }
    // Uncompressed resources are used in place: nothing is copied and nothing is written anywhere.
    if (resource.compressionAlgorithm() == QResource::NoCompression)
        return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size());
    return resource.uncompressedData();
}

} // namespace

QString resourcePath(Clip clip) {
    if (clip.kind == Clip::Kind::Phrase && clip.index >= 0 && clip.index < kPhraseCount)
        return QStringLiteral(":/voice/phrase-%1.wav").arg(clip.index);
    if (clip.kind == Clip::Kind::Digit && clip.index == kTen)
        return QStringLiteral(":/voice/ten.wav");
    if (clip.kind == Clip::Kind::Digit && clip.index >= 0 && clip.index < kTen)
        return QStringLiteral(":/voice/digit-%1.wav").arg(clip.index);
    return {};
}

int wavPlayMs(const QByteArray& wav) {
    const qsizetype size = wav.size();
    if (size < 12 || QByteArrayView(wav).first(4) != "RIFF" || QByteArrayView(wav).sliced(8, 4) != "WAVE")
        return 0;
    // Chunks may come in any order and other chunks (LIST, fact…) may sit between them, so walk them all.
    quint32 byteRate = 0;
    qint64 dataBytes = -1;
    bool pcm = false;
    qsizetype at = 12;
    while (at + 8 <= size) {
        const QByteArrayView id = QByteArrayView(wav).sliced(at, 4);
        const qint64 length = le32(wav, at + 4);
        const qsizetype body = at + 8;
        if (length > size - body)
            return 0; // truncated: the chunk claims more bytes than the clip holds
        if (id == "fmt ") {
            if (length < 16)
                return 0;
            pcm = le16(wav, body) == 1;
            byteRate = le32(wav, body + 8);
        } else if (id == "data") {
            dataBytes = length;
        }
        at = body + length + (length & 1); // chunks are padded to an even length
    }
    if (!pcm || byteRate == 0 || dataBytes < 0)
        return 0;
    return int((dataBytes * 1000 + byteRate / 2) / byteRate);
}

Clips::Clips() {
    for (int i = 0; i < kPhraseCount; ++i) {
        phrases_[i].bytes = carried(resourcePath(phrase(i)));
        phrases_[i].waitMs = wavPlayMs(phrases_[i].bytes);
    }
    for (int i = 0; i < kDigitCount; ++i) {
        digits_[i].bytes = carried(resourcePath(digit(i)));
        digits_[i].waitMs = wavPlayMs(digits_[i].bytes);
    }
}

const Clips::Entry* Clips::find(Clip clip) const {
    if (clip.index < 0)
        return nullptr;
    if (clip.kind == Clip::Kind::Phrase)
        return clip.index < kPhraseCount ? &phrases_[clip.index] : nullptr;
    return clip.index < kDigitCount ? &digits_[clip.index] : nullptr;
}

const QByteArray& Clips::bytes(Clip clip) const {
    static const QByteArray none;
    const Entry* entry = find(clip);
    return entry ? entry->bytes : none;
}

int Clips::waitMs(Clip clip) const {
    const Entry* entry = find(clip);
    return entry ? entry->waitMs : 0;
}

} // namespace orvane::chime
