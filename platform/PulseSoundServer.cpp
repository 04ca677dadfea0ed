// PulseSoundServer: one short connection per question, driven by libpulse's own loop up to a deadline.
#include "platform/PulseSoundServer.h"

#include "common/Log.h"
#include "platform/PulseApi.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <optional>
#include <utility>

namespace orvane {

namespace {

// The null output PulseAudio puts in place when it finds no sound card: playing to it is heard by nobody.
constexpr char kStandInSink[] = "auto_null";

struct SinkFacts {
    bool found = false;
    bool muted = false;
    bool unplugged = false;
    pa_volume_t loudest = PA_VOLUME_MUTED;
};

OutputState stateOf(const std::string& name, const SinkFacts& sink) {
    if (name.empty() || !sink.found || name == kStandInSink || sink.unplugged)
        return OutputState::NoOutput;
    if (sink.muted)
        return OutputState::Muted;
    return sink.loudest == PA_VOLUME_MUTED ? OutputState::VolumeZero : OutputState::Audible;
}

// A connection for one question. Every wait ends at the deadline, so a hung server costs `timeout`.
class Session {
public:
    Session(const PulseApi& pa, std::chrono::milliseconds timeout) : pa_(pa), deadline_(timeout) {
        loop_ = pa_.pa_mainloop_new();
        if (!loop_)
            return;
        context_ = pa_.pa_context_new(pa_.pa_mainloop_get_api(loop_), "orvane-clock");
        if (!context_ || pa_.pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return;
        pa_context_state_t state = pa_.pa_context_get_state(context_);
        while (state != PA_CONTEXT_READY && PA_CONTEXT_IS_GOOD(state) && step())
            state = pa_.pa_context_get_state(context_);
        ready_ = state == PA_CONTEXT_READY;
    }
    ~Session() {
        if (context_) {
            pa_.pa_context_disconnect(context_);
            pa_.pa_context_unref(context_);
        }
        if (loop_)
            pa_.pa_mainloop_free(loop_);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool ready() const { return ready_; }
    QString error() const {
        if (!context_)
            return QStringLiteral("libpulse made no connection");
        if (deadline_.hasExpired())
            return QStringLiteral("no answer in time");
        return QString::fromUtf8(pa_.pa_strerror(pa_.pa_context_errno(context_)));
    }

    // The default output's name, empty when the server has none; nullopt when the question failed.
    std::optional<std::string> defaultSinkName() {
        struct Answer {
            bool done = false;
            std::string name;
        } answer;
        const auto got = [](pa_context*, const pa_server_info* info, void* data) {
            auto* a = static_cast<Answer*>(data);
            a->done = true;
            if (info && info->default_sink_name)
                a->name = info->default_sink_name;
        };
        if (!finish(pa_.pa_context_get_server_info(context_, got, &answer)) || !answer.done)
            return std::nullopt;
        return answer.name;
    }

    std::optional<SinkFacts> sink(const std::string& name) {
        struct Answer {
            bool done = false;
            SinkFacts facts;
        } answer;
        const auto got = [](pa_context*, const pa_sink_info* info, int eol, void* data) {
            auto* a = static_cast<Answer*>(data);
            a->done = a->done || eol != 0; // eol < 0: no such sink, which is an answer too
            if (!info)
                return;
            a->facts.found = true;
            a->facts.muted = info->mute != 0;
            a->facts.unplugged = info->active_port && info->active_port->available == PA_PORT_AVAILABLE_NO;
            for (unsigned channel = 0; channel < info->volume.channels; ++channel)
                a->facts.loudest = std::max(a->facts.loudest, info->volume.values[channel]);
        };
        if (!finish(pa_.pa_context_get_sink_info_by_name(context_, name.c_str(), got, &answer)) ||
            !answer.done)
            return std::nullopt;
        return answer.facts;
    }

    bool setMute(const std::string& name, bool mute) {
        struct Answer {
            bool done = false;
            bool success = false;
        } answer;
        const auto got = [](pa_context*, int success, void* data) {
            *static_cast<Answer*>(data) = {true, success != 0};
        };
        return finish(pa_.pa_context_set_sink_mute_by_name(context_, name.c_str(), mute, got, &answer)) &&
               answer.success;
    }

private:
    // One turn of the loop, waiting no longer than the deadline allows.
    bool step() {
        const qint64 left = deadline_.remainingTime();
        return left > 0 && pa_.pa_mainloop_prepare(loop_, int(left * 1000)) >= 0 &&
               pa_.pa_mainloop_poll(loop_) >= 0 && pa_.pa_mainloop_dispatch(loop_) >= 0;
    }
    // Runs the loop until the operation is done; the answer's callback has run by then.
    bool finish(pa_operation* operation) {
        if (!operation)
            return false;
        while (pa_.pa_operation_get_state(operation) == PA_OPERATION_RUNNING && step()) {
        }
        const bool done = pa_.pa_operation_get_state(operation) == PA_OPERATION_DONE;
        // An operation cut off at the deadline is dropped with the context, before its callback could run.
        pa_.pa_operation_unref(operation);
        return done;
    }

    const PulseApi& pa_;
    QDeadlineTimer deadline_;
    pa_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    bool ready_ = false;
};

// The default output's name and state; nullopt when the server did not answer.
std::optional<std::pair<std::string, OutputState>> askDefault(Session& session) {
    const std::optional<std::string> name = session.defaultSinkName();
    const std::optional<SinkFacts> sink = name && !name->empty() ? session.sink(*name) : SinkFacts{};
    if (!name || !sink) {
        qCWarning(lcSound).noquote() << "the sound server did not answer:" << session.error();
        return std::nullopt;
    }
    return std::pair(*name, stateOf(*name, *sink));
}

} // namespace

PulseSoundServer::PulseSoundServer(std::chrono::milliseconds timeout) : timeout_(timeout) {}

OutputState PulseSoundServer::defaultOutput() {
    return ask(false);
}

OutputState PulseSoundServer::unmuteForRing() {
    return ask(true);
}

OutputState PulseSoundServer::ask(bool unmute) {
    const PulseApi* pa = pulseApi();
    if (!pa)
        return OutputState::NoServer;
    Session session(*pa, timeout_);
    if (!session.ready()) {
        if (!std::exchange(warnedNoServer_, true))
            qCWarning(lcSound).noquote() << "no sound server to ask:" << session.error();
        return OutputState::NoServer;
    }
    auto output = askDefault(session);
    if (output && unmute && output->second == OutputState::Muted) {
        if (session.setMute(output->first, false)) {
            unmutedSink_ = output->first;
            output = askDefault(session);
        } else {
            qCWarning(lcSound).noquote()
                << "cannot unmute the output" << QString::fromStdString(output->first)
                << "for a ring:" << session.error();
        }
    }
    return output ? output->second : OutputState::NoServer;
}

void PulseSoundServer::restoreMute() {
    if (unmutedSink_.empty())
        return;
    const std::string name = std::exchange(unmutedSink_, {});
    const PulseApi* pa = pulseApi();
    Session session(*pa, timeout_);
    if (!session.ready() || !session.setMute(name, true))
        qCWarning(lcSound).noquote() << "cannot mute the output" << QString::fromStdString(name)
                                     << "again after the ring:" << session.error();
}

} // namespace orvane
