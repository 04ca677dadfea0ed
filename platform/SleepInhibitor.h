// logind's "delay" inhibitor lock for sleep: while it is held, a suspend waits for the program.
#pragma once

#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

namespace orvane {

// logind hands out the lock as a file descriptor and suspends once every holder has closed its one (or
// after its InhibitDelayMaxSec, 5 s by default). Failures are logged under "orvane.clock", the first
// only: a machine without logind says so once.
class SleepInhibitor final : public QObject {
    Q_OBJECT
public:
    // connection: the name of an open QDBusConnection to logind's bus.
    explicit SleepInhibitor(QString connection, QObject* parent = nullptr);
    ~SleepInhibitor() override;
    SleepInhibitor(const SleepInhibitor&) = delete;
    SleepInhibitor& operator=(const SleepInhibitor&) = delete;

    // Asks logind for the lock without waiting for the answer; a lock held or asked for stays as it is.
    void take();
    // Lets a waiting suspend go on. A lock still on its way is given back as soon as it arrives.
    void release();
    bool held() const { return fd_ >= 0; }

private:
    void onAnswer(QDBusPendingCallWatcher* call);

    QString connection_;
    int fd_ = -1;
    bool wanted_ = false; // take() was called after the last release()
    bool asking_ = false;
    bool warned_ = false;
};

} // namespace orvane
