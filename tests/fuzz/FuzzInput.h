// What every fuzz target shares: the input as bytes, and a check that stops the run loudly.
#pragma once

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

namespace orvane::fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A property of the parser that must hold for every input; a breach is a finding like a crash.
inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

} // namespace orvane::fuzz
