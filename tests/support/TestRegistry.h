// Registration of Qt Test classes so one program per folder runs all of them.
#pragma once

#include <QObject>

#include <functional>
#include <utility>
#include <vector>

namespace orvane::test {

using Factory = std::function<QObject*()>;

std::vector<std::pair<const char*, Factory>>& registry();

struct Registrar {
    Registrar(const char* name, Factory factory) { registry().emplace_back(name, std::move(factory)); }
};

} // namespace orvane::test

#define ORVANE_TEST(Class)                                                                                   \
    static const orvane::test::Registrar registrar_##Class(#Class,                                           \
                                                           [] { return static_cast<QObject*>(new Class); });
