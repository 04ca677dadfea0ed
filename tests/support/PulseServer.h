// A PulseAudio server of the test's own (its own folders, no bus, never the machine's server), and a
// recorder of what an output plays.
#pragma once

#include "TempDir.h"

#include <QProcess>
#include <QtTest>

#include <cmath>
#include <vector>

namespace orvane::test {

// Started with the given lines of its start-up script after its socket; ended with the object. While it
// lives, this process's libpulse clients (SDL's output, the sound server, the recorder) reach it and
// never start a server of their own.
class PulseServer {
public:
    PulseServer(const TempDir& dir, const QStringList& script) : socket_(dir.file(QStringLiteral("native"))) {
        const QString pa = dir.file(QStringLiteral("server.pa"));
        writeText(pa, QStringLiteral("load-module module-native-protocol-unix auth-anonymous=1 socket=") +
                          socket_ + u'\n' + script.join(u'\n') + u'\n');
        writeText(dir.file(QStringLiteral("client.conf")), QStringLiteral("autospawn = no\n"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"}) {
            QDir(dir.path()).mkpath(QLatin1String(name));
            env.insert(QLatin1String(name), dir.file(QLatin1String(name)));
        }
        // No bus at all: the server must neither register on the machine's buses nor start one.
        const QString noBus = QStringLiteral("unix:path=") + dir.file(QStringLiteral("no-bus"));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), noBus);
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), noBus);
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        server_.setProcessEnvironment(env);
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start(QStringLiteral("pulseaudio"),
                      {QStringLiteral("-n"), QStringLiteral("--file=") + pa, QStringLiteral("--daemonize=no"),
                       QStringLiteral("--system=no"), QStringLiteral("--use-pid-file=no"),
                       QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--realtime=no"),
                       QStringLiteral("--high-priority=no"), QStringLiteral("--log-target=stderr"),
                       QStringLiteral("--log-level=info")});
        // It says so once every module of the script is loaded.
        while (!log_.contains("Daemon startup complete.") && server_.waitForReadyRead(10000))
            log_ += server_.readAll();
        log_ += server_.readAll();
        ready_ = log_.contains("Daemon startup complete.");
        const QByteArray values[] = {address().toUtf8(),
                                     QFile::encodeName(dir.file(QStringLiteral("client.conf"))),
                                     QFile::encodeName(dir.file(QStringLiteral("cookie")))};
        for (int i = 0; i < kClientVariables; ++i) {
            saved_[i] = qgetenv(kClientVariable[i]);
            qputenv(kClientVariable[i], values[i]);
        }
    }
    ~PulseServer() {
        stop();
        for (int i = 0; i < kClientVariables; ++i) {
            if (saved_[i].isNull())
                qunsetenv(kClientVariable[i]);
            else
                qputenv(kClientVariable[i], saved_[i]);
        }
    }
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    // Ends the server; its clients then find none at its address.
    void stop() {
        server_.kill();
        server_.waitForFinished();
    }
    // Whether it started, and what it said otherwise (QVERIFY2(server.ready(), server.log())).
    bool ready() const { return ready_; }
    const char* log() const { return log_.constData(); }
    QString address() const { return QStringLiteral("unix:") + socket_; }

    // pactl's answer to the arguments, as asked of this server; empty when it failed.
    QString pactl(const QStringList& arguments) const {
        QProcess tool;
        tool.start(QStringLiteral("pactl"), QStringList{QStringLiteral("--server=") + address()} + arguments);
        if (!tool.waitForFinished(10000) || tool.exitCode() != 0)
            return {};
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

private:
    static void writeText(const QString& path, const QString& text) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0);
    }

    // Where libpulse clients look for their server, configuration and cookie.
    static constexpr int kClientVariables = 3;
    static constexpr const char* kClientVariable[kClientVariables] = {"PULSE_SERVER", "PULSE_CLIENTCONFIG",
                                                                      "PULSE_COOKIE"};
    QString socket_;
    QProcess server_;
    QByteArray log_;
    bool ready_ = false;
    QByteArray saved_[kClientVariables];
};

// Records the monitor of an output with parecord, from its creation until it is destroyed: mono 16-bit
// samples at 44.1 kHz. In a process of its own, so that libpulse's recording stream leaves nothing in
// the test's memory; running throughout, so that the output's state never changes under a player (SDL's
// PulseAudio output leaks a libpulse object at each such change).
class MonitorRecorder {
public:
    static constexpr int kRate = 44100;
    MonitorRecorder(const PulseServer& server, const QString& output) {
        recorder_.start(QStringLiteral("parecord"),
                        {QStringLiteral("--server=") + server.address(),
                         QStringLiteral("--device=") + output + QStringLiteral(".monitor"),
                         QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                         QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                         QStringLiteral("--latency-msec=20")});
        recorder_.waitForStarted();
    }
    ~MonitorRecorder() {
        recorder_.kill();
        recorder_.waitForFinished();
    }
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    // The next `seconds` of sound, as they are played (it takes that long); what was recorded before the
    // call is dropped. Empty when the recording failed.
    std::vector<qint16> next(double seconds) {
        pending_ += recorder_.readAll();
        pending_.remove(0, pending_.size() & ~qsizetype(1)); // whole samples only: keeps the byte order
        const qsizetype want = qsizetype(seconds * kRate) * 2;
        while (pending_.size() < want && recorder_.waitForReadyRead(5000))
            pending_ += recorder_.readAll();
        if (pending_.size() < want)
            return {};
        std::vector<qint16> samples(size_t(want / 2));
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = qint16(quint8(pending_[2 * i]) | quint8(pending_[2 * i + 1]) << 8);
        pending_.remove(0, want);
        return samples;
    }

    // The root mean square of the samples from second `from` to second `to`, as a share of full scale.
    static double level(const std::vector<qint16>& samples, double from, double to) {
        const size_t begin = std::min(samples.size(), size_t(from * kRate));
        const size_t end = std::min(samples.size(), size_t(to * kRate));
        double sum = 0;
        for (size_t i = begin; i < end; ++i)
            sum += double(samples[i]) * samples[i];
        return end > begin ? std::sqrt(sum / double(end - begin)) / 32768.0 : 0.0;
    }

private:
    QProcess recorder_;
    QByteArray pending_;
};

} // namespace orvane::test
