// Windows-style INI files over SimpleIni: one key per call, UTF-8 (GBK accepted on read), atomic rewrites.
#include "platform/IniProfile.h"

#include "common/FileWrite.h"
#include "common/Log.h"

#include <QFile>
#include <QStringDecoder>

#include <SimpleIni.h>

#include <string>

namespace orvane {

namespace {
enum class Loaded { Ok, Absent, Failed };

void configure(CSimpleIniA& ini) {
    ini.SetUnicode(true);
    ini.SetSpaces(false); // "key=value", as Windows writes it
    ini.SetMultiLine(false);
    ini.SetQuotes(false); // quotes are handled below, so values come back exactly as stored
}

// The file's text as UTF-8 bytes; a file that is not valid UTF-8 was carried over from Windows and is GBK.
QByteArray asUtf8(const QByteArray& bytes) {
    // Stateless: a multi-byte sequence cut off at the end of the file is an error, not a pending tail
    // (kept, it would end up inside a rewritten file that then reads as GBK).
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return bytes;
    QStringDecoder gbk("GBK");
    if (!gbk.isValid())
        return text.toUtf8();
    return QString(gbk.decode(bytes)).toUtf8();
}

// SimpleIni trims every value, so "整点报时=真 " written by hand would read as "真". The value's trailing
// blanks count ("真 " is no 真): such a value is put in quotes before parsing, which a read drops again.
QByteArray keepTrailingBlanks(const QByteArray& text) {
    if (!text.contains(" \n") && !text.contains(" \r") && !text.contains('\t') && !text.endsWith(' '))
        return text; // the usual file: nothing to keep
    QByteArray out;
    out.reserve(text.size() + 16);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        QByteArray line = text.mid(start, end - start);
        start = end;
        qsizetype body = line.size();
        while (body > 0 && (line[body - 1] == '\n' || line[body - 1] == '\r'))
            --body;
        const qsizetype equals = line.indexOf('=');
        const bool entry =
            equals > 0 && !line.startsWith('[') && !line.startsWith(';') && !line.startsWith('#');
        if (entry && body > equals + 1 && (line[body - 1] == ' ' || line[body - 1] == '\t')) {
            qsizetype value = equals + 1;
            while (value < body && (line[value] == ' ' || line[value] == '\t'))
                ++value;
            const QByteArray v = line.mid(value, body - value);
            if (!v.trimmed().isEmpty() &&
                !(v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]))
                line = line.left(value) + '"' + v + '"' + line.mid(body);
        }
        out += line;
    }
    return out;
}

Loaded readFile(const QString& file, QByteArray& bytes) {
    QFile in(file);
    if (!in.exists())
        return Loaded::Absent;
    if (!in.open(QIODevice::ReadOnly))
        return Loaded::Failed;
    bytes = in.readAll();
    return in.error() == QFileDevice::NoError ? Loaded::Ok : Loaded::Failed;
}

bool parse(const QByteArray& bytes, CSimpleIniA& ini) {
    configure(ini);
    const QByteArray text = keepTrailingBlanks(asUtf8(bytes));
    return ini.LoadData(text.constData(), size_t(text.size())) >= 0;
}

Loaded load(const QString& file, CSimpleIniA& ini) {
    QByteArray bytes;
    const Loaded loaded = readFile(file, bytes);
    if (loaded != Loaded::Ok)
        return loaded;
    return parse(bytes, ini) ? Loaded::Ok : Loaded::Failed;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool hasLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar());
}

// Names the line format can hold: SimpleIni trims them, '=' ends a key, ']' ends a section.
bool validSection(const QString& section) {
    return !section.isEmpty() && !hasLineBreak(section) && !section.contains(u']') &&
           !isBlank(section.front()) && !isBlank(section.back());
}
bool validKey(const QString& key) {
    return !key.isEmpty() && !hasLineBreak(key) && !key.contains(u'=') && !isBlank(key.front()) &&
           !isBlank(key.back()) && key.front() != u'[' && key.front() != u';' && key.front() != u'#';
}

bool quotedPair(const QString& text) {
    return text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front();
}

// Like Windows, a read drops one pair of enclosing quotes; a write adds them where the value would
// otherwise lose its outer blanks (the line is trimmed) or its own enclosing quotes.
QString decodeValue(const QString& stored) {
    return quotedPair(stored) ? stored.mid(1, stored.size() - 2) : stored;
}
QString encodeValue(const QString& value) {
    if (value.isEmpty())
        return value;
    if (isBlank(value.front()) || isBlank(value.back()) || quotedPair(value))
        return u'"' + value + u'"';
    return value;
}

std::optional<QByteArray> saved(const CSimpleIniA& ini) {
    std::string text;
    if (ini.Save(text, false) < 0)
        return std::nullopt;
    return QByteArray::fromStdString(text);
}

bool save(const CSimpleIniA& ini, const QString& file, QFileDevice::Permissions permissions) {
    const std::optional<QByteArray> bytes = saved(ini);
    return bytes && writeWholeFile(file, *bytes, permissions);
}

const char* lookup(const QString& file, const QString& section, const QString& key, CSimpleIniA& ini) {
    if (load(file, ini) != Loaded::Ok)
        return nullptr;
    return ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData());
}

bool writable(const QString& section, const QString& key, const QString& value) {
    return validSection(section) && validKey(key) && !hasLineBreak(value);
}

} // namespace

QString IniProfile::read(const QString& file, const QString& section, const QString& key) {
    CSimpleIniA ini;
    const char* value = lookup(file, section, key, ini);
    return value ? decodeValue(QString::fromUtf8(value)) : QString();
}

bool IniProfile::exists(const QString& file, const QString& section, const QString& key) {
    CSimpleIniA ini;
    return lookup(file, section, key, ini) != nullptr;
}

QString IniProfile::readText(const QByteArray& fileBytes, const QString& section, const QString& key) {
    CSimpleIniA ini;
    if (!parse(fileBytes, ini))
        return {};
    const char* value = ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData());
    return value ? decodeValue(QString::fromUtf8(value)) : QString();
}

std::optional<QByteArray> IniProfile::writeText(const QByteArray& fileBytes, const QString& section,
                                                const QString& key, const QString& value) {
    CSimpleIniA ini;
    if (!writable(section, key, value) || !parse(fileBytes, ini) ||
        ini.SetValue(section.toUtf8().constData(), key.toUtf8().constData(),
                     encodeValue(value).toUtf8().constData()) < 0)
        return std::nullopt;
    return saved(ini);
}

bool IniProfile::write(const QString& file, const QString& section, const QString& key, const QString& value,
                       QFileDevice::Permissions permissions) {
    if (!writable(section, key, value)) {
        qCWarning(lcStore) << "a setting the file format cannot hold is not written:" << section << key;
        return false;
    }
    // An existing file that cannot be read would be replaced by one holding only this key.
    QByteArray bytes;
    std::optional<QByteArray> rewritten;
    if (readFile(file, bytes) != Loaded::Failed)
        rewritten = writeText(bytes, section, key, value);
    const bool written = rewritten && writeWholeFile(file, *rewritten, permissions);
    // Most callers say nothing to the user (the setting shows its old state next time): the trace is here.
    if (!written)
        qCWarning(lcStore) << "cannot write" << key << "to" << file;
    return written;
}

bool IniProfile::remove(const QString& file, const QString& section, const QString& key,
                        QFileDevice::Permissions permissions) {
    CSimpleIniA ini;
    const QByteArray sectionName = section.toUtf8();
    const QByteArray keyName = key.toUtf8();
    switch (load(file, ini)) {
    case Loaded::Absent:
        return true;
    case Loaded::Failed:
        qCWarning(lcStore) << "cannot read" << file << "to remove" << key;
        return false;
    case Loaded::Ok:
        break;
    }
    if (!ini.KeyExists(sectionName.constData(), keyName.constData()))
        return true;
    // The section stays, as on Windows deleting the last value leaves its key.
    ini.Delete(sectionName.constData(), keyName.constData(), false);
    if (!save(ini, file, permissions)) {
        qCWarning(lcStore) << "cannot remove" << key << "from" << file;
        return false;
    }
    return true;
}

} // namespace orvane
