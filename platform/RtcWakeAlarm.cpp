// RtcWakeAlarm: the alarm timer (timerfd on CLOCK_REALTIME_ALARM), else the wake helper through pkexec.
#include "platform/RtcWakeAlarm.h"

#include "common/Log.h"
#include "platform/wakealarm/HelperExit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace orvane {

namespace {
// pkexec's own answers: the user is not authorised (127) or dismissed the password dialog (126).
constexpr int kPkexecDismissed = 126;
constexpr int kPkexecRefused = 127;
} // namespace

RtcWakeAlarm::Setup RtcWakeAlarm::installed() {
    const QString helper = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                           QStringLiteral("/../" ORVANE_WAKE_HELPER_SUBPATH));
    Setup setup{QStringLiteral("/sys/class/rtc/rtc0/wakealarm"), true, {}};
    // pkexec runs only an absolute path its policy names: the installed one.
    if (QFile::exists(helper))
        setup.helper = QStringList{QStringLiteral("pkexec"), helper};
    return setup;
}

RtcWakeAlarm::RtcWakeAlarm(Setup setup, QObject* parent) : WakeAlarm(parent), setup_(std::move(setup)) {}

RtcWakeAlarm::~RtcWakeAlarm() {
    // A helper run is let finish, briefly: cut off, it would leave the clock half armed.
    if (helperRun_)
        helperRun_->waitForFinished(1000);
    if (timerFd_ >= 0)
        ::close(timerFd_); // takes its time back
}

void RtcWakeAlarm::arm(const QDateTime& at) {
    if (!QFile::exists(setup_.rtcFile)) {
        if (support_ != WakeSupport::NoRtc)
            qCWarning(lcClock).noquote()
                << "cannot wake the machine for alarms: no real-time clock at" << setup_.rtcFile;
        setSupport(WakeSupport::NoRtc);
        return;
    }
    const qint64 seconds = at.toSecsSinceEpoch();
    if (armTimer(seconds)) {
        setSupport(WakeSupport::Ready);
    } else if (support_ == WakeSupport::NotPermitted) {
        // Asked again at every edit, a system that said no would show a password dialog each time.
        return;
    } else if (setup_.helper.isEmpty()) {
        qCWarning(lcClock, "cannot wake the machine for alarms: the wake helper is not installed");
        setSupport(WakeSupport::NotPermitted);
    } else if (helperRun_) {
        pendingSeconds_ = seconds;
    } else {
        runHelper(seconds);
    }
}

void RtcWakeAlarm::disarm() {
    if (timerFd_ >= 0) {
        const itimerspec none{};
        timerfd_settime(timerFd_, 0, &none, nullptr);
    }
    if (helperRun_)
        pendingSeconds_ = 0;
    else if (helperArmed_)
        runHelper(0);
}

bool RtcWakeAlarm::armTimer(qint64 seconds) {
    if (!setup_.alarmTimer)
        return false;
    if (!std::exchange(timerTried_, true)) {
        timerFd_ = timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC);
        // EPERM is the common case, a process without CAP_WAKE_ALARM: the helper is the way then.
        if (timerFd_ < 0 && errno != EPERM)
            qCWarning(lcClock, "no alarm timer, trying the wake helper: %s", strerror(errno));
    }
    if (timerFd_ < 0)
        return false;
    itimerspec when{};
    when.it_value.tv_sec = time_t(seconds);
    if (timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &when, nullptr) == 0)
        return true;
    qCWarning(lcClock, "cannot arm the alarm timer: %s", strerror(errno));
    return false;
}

void RtcWakeAlarm::runHelper(qint64 seconds) {
    helperSeconds_ = seconds;
    helperRun_ = std::make_unique<QProcess>();
    helperRun_->setProcessChannelMode(QProcess::MergedChannels);
    connect(helperRun_.get(), &QProcess::finished, this, &RtcWakeAlarm::onHelperFinished);
    connect(helperRun_.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) // no finished() follows
            onHelperFinished(-1, QProcess::CrashExit);
    });
    helperRun_->start(setup_.helper.first(), setup_.helper.mid(1) << QString::number(seconds));
}

void RtcWakeAlarm::onHelperFinished(int exitCode, QProcess::ExitStatus status) {
    QProcess* run = helperRun_.release();
    run->disconnect(this);
    run->deleteLater(); // not deleted inside its own signal
    const QString said = QString::fromLocal8Bit(run->readAll()).trimmed();
    if (status == QProcess::NormalExit && exitCode == wakehelper::kDone) {
        helperArmed_ = helperSeconds_ != 0;
        setSupport(WakeSupport::Ready);
    } else if (status == QProcess::NormalExit && exitCode == wakehelper::kNoRtc) {
        qCWarning(lcClock).noquote() << "cannot wake the machine for alarms: no real-time clock:" << said;
        setSupport(WakeSupport::NoRtc);
    } else if (status != QProcess::NormalExit || exitCode == kPkexecDismissed || exitCode == kPkexecRefused) {
        const QString why = status == QProcess::NormalExit ? said : run->errorString();
        qCWarning(lcClock).noquote() << "cannot wake the machine for alarms: the system refused"
                                     << setup_.helper.join(u' ') + u':' << why;
        setSupport(WakeSupport::NotPermitted);
    } else {
        qCWarning(lcClock).noquote() << "the wake helper did not set" << helperSeconds_ << "exit code"
                                     << exitCode << said;
    }
    if (pendingSeconds_) {
        const qint64 next = *std::exchange(pendingSeconds_, std::nullopt);
        if (next != 0 || helperArmed_)
            runHelper(next);
    }
}

void RtcWakeAlarm::setSupport(WakeSupport support) {
    if (std::exchange(support_, support) != support)
        emit supportChanged(support);
}

} // namespace orvane
