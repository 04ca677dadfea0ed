// The program's logging categories: notes and warnings on unless rules say otherwise.
#include "common/Log.h"

namespace orvane {
Q_LOGGING_CATEGORY(lcAlarm, "orvane.alarm", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStore, "orvane.store", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSound, "orvane.sound", QtInfoMsg)
Q_LOGGING_CATEGORY(lcClock, "orvane.clock", QtInfoMsg)
Q_LOGGING_CATEGORY(lcNotify, "orvane.notify", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUi, "orvane.ui", QtInfoMsg)
Q_LOGGING_CATEGORY(lcLock, "orvane.lock", QtInfoMsg)
Q_LOGGING_CATEGORY(lcNet, "orvane.net", QtInfoMsg)
} // namespace orvane
