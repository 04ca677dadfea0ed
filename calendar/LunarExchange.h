// The lunar lookup's exchange: the form body it posts, the seven values cut from the answer page by
// their markers, and the built-in service that answers the same body from the local tables.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

namespace orvane {

// "year=Y&month=M&day=D&image.x=8&image.y=9", the texts pasted as they are.
QByteArray lunarFormBody(const QString& year, const QString& month, const QString& day);

// The bytes after `marker` (skipping four more) up to the first `terminator` found from the byte after
// the marker's first; empty when either is missing or nothing lies between. GBK bytes throughout.
QByteArray cutMarkedValue(const QByteArray& page, const QByteArray& marker, char terminator);
// The seven lines "公历：…" to "距今：…", each with its value and CR LF.
QString lunarResultText(const QByteArray& page);

// The page the built-in service answers to a form body: each value four bytes after its marker and
// ended by its terminator, as GBK. A body without a date of 1901-2099 gets a page without values.
QByteArray builtInLunarPage(const QByteArray& body, QDate today);

} // namespace orvane
