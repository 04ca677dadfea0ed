// The program's logging categories: notes and warnings on unless rules say otherwise; the filter that keeps
// the libraries' chatter off the user's terminal.
#include "common/Log.h"

#include <cstring>

namespace orvane {
Q_LOGGING_CATEGORY(lcAlarm, "orvane.alarm", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStore, "orvane.store", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSound, "orvane.sound", QtInfoMsg)
Q_LOGGING_CATEGORY(lcClock, "orvane.clock", QtInfoMsg)
Q_LOGGING_CATEGORY(lcNotify, "orvane.notify", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUi, "orvane.ui", QtInfoMsg)
Q_LOGGING_CATEGORY(lcLock, "orvane.lock", QtInfoMsg)
Q_LOGGING_CATEGORY(lcNet, "orvane.net", QtInfoMsg)

bool shownToUser(QtMsgType type, const char* category, bool rulesSet) {
    if (rulesSet || type == QtCriticalMsg || type == QtFatalMsg)
        return true;
    return category != nullptr && std::strncmp(category, "orvane.", 7) == 0;
}

namespace {
QtMessageHandler qtOutput = nullptr;
bool rulesSet = false;

void userMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (shownToUser(type, context.category, rulesSet) && qtOutput != nullptr)
        qtOutput(type, context, message);
}
} // namespace

void showUserMessagesOnly() {
    rulesSet = qEnvironmentVariableIsSet("QT_LOGGING_RULES");
    qtOutput = qInstallMessageHandler(userMessages);
}
} // namespace orvane
