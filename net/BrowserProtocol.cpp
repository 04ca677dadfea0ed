// Percent-encoded fields on lines, and the names of the page kinds.
#include "net/BrowserProtocol.h"

#include <array>

namespace orvane::browserProtocol {

namespace {
constexpr std::array kindNames{"browser", "weather", "panel", "panel-window"};
} // namespace

QByteArray kindName(PageKind kind) {
    return kindNames.at(std::size_t(kind));
}

std::optional<PageKind> kindFromName(const QByteArray& name) {
    for (std::size_t i = 0; i < kindNames.size(); ++i)
        if (name == kindNames[i])
            return PageKind(i);
    return std::nullopt;
}

QByteArray encode(const QByteArrayList& fields) {
    QByteArray line;
    for (const QByteArray& field : fields) {
        if (!line.isEmpty())
            line += ' ';
        // An empty field must still take a place: "%" alone never comes out of the encoding.
        line += field.isEmpty() ? QByteArray("%") : field.toPercentEncoding();
    }
    return line + '\n';
}

QByteArrayList decode(const QByteArray& line) {
    QByteArrayList fields;
    for (const QByteArray& field : line.split(' '))
        fields.append(field == "%" ? QByteArray() : QByteArray::fromPercentEncoding(field));
    return fields;
}

bool LineReader::next(QByteArray& line) {
    const qsizetype end = buffer_.indexOf('\n');
    if (end < 0)
        return false;
    line = buffer_.left(end);
    buffer_.remove(0, end + 1);
    return true;
}

} // namespace orvane::browserProtocol
