// Where the lunar lookup gets its page: the configured service over HTTP, or the built-in one.
#pragma once

#include "calendar/LunarLookupWindow.h"

namespace orvane {

// The fetch the lookup uses: the HTTP layer when a service address is configured, otherwise the built-in
// service with today from `clock` (answering inside the call).
PageFetch lunarFetch(const QByteArray& serviceAddress, const Clock& clock);

// The button "生辰八字": a new lookup window, not modal, deleted when closed; `clock` must outlive it.
LunarLookupWindow* openLunarLookup(const Clock& clock, QWidget* parent = nullptr);

} // namespace orvane
