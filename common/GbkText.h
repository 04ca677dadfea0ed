// GBK byte texts: conversion, 1-based byte positions, searches that never match inside a double-byte
// character.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvane::gbk {

QByteArray encode(const QString& text); // characters GBK cannot hold become '?'
QString decode(const QByteArray& bytes);
QByteArray cutAtZero(const QByteArray& bytes); // up to the first zero byte
// First occurrence of needle at or after byte position start (1-based) whose first byte begins a
// character; -1 when there is none (also for start < 1 or an empty needle).
qsizetype find(const QByteArray& haystack, const QByteArray& needle, qsizetype start = 1);
// length bytes from the 1-based position start; a start outside the text gives the empty text, a
// window that runs past the end is cut there.
QByteArray mid(const QByteArray& bytes, qsizetype start, qsizetype length);
QByteArray left(const QByteArray& bytes, qsizetype length);
// A–Z to a–z (or the reverse) only, stepping over double-byte characters, whose trail byte may look
// like a letter.
QByteArray asciiLower(const QByteArray& bytes);
QByteArray asciiUpper(const QByteArray& bytes);
// Whether needle occurs in haystack regardless of ASCII case (never inside a double-byte character).
bool containsNoCase(const QByteArray& haystack, const QByteArray& needle);

} // namespace orvane::gbk
