// Every web address the program uses, in one place.
#pragma once

#include <QString>

namespace orvane::web {

// The product's home page: the about page's link and the recommendation text.
inline QString productSite() {
    return QStringLiteral("https://orvane-clock.github.io/");
}

} // namespace orvane::web
