// Where the lunar lookup gets its page: the configured service over HTTP, or the built-in one.
#pragma once

#include "calendar/LunarLookupWindow.h"

namespace orvane {

// The post the program uses: the configured service address through HttpRequest, or, when no address
// is configured, the built-in service with today from `clock` (answering inside the call).
LunarPost lunarPost(const QByteArray& serviceAddress, const Clock& clock);

// The button "生辰八字": a new lookup window, not modal, deleted when closed; `clock` must outlive it.
LunarLookupWindow* openLunarLookup(const Clock& clock, QWidget* parent = nullptr);

} // namespace orvane
