// The logging category of the sound player ("orvane.sound"): sounds that nobody will hear are noted here.
#pragma once

#include <QLoggingCategory>

namespace orvane {
Q_DECLARE_LOGGING_CATEGORY(lcSound)
} // namespace orvane
