// The logging category of network failures the user is not shown.
#pragma once

#include <QLoggingCategory>

namespace orvane {
Q_DECLARE_LOGGING_CATEGORY(lcNet)
}
