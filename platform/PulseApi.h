// The libpulse functions of the sound-server query, bound at run time: start-up never loads libpulse.
#pragma once

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>

namespace orvane {

// One pointer per function called, named and typed after the header's declaration.
struct PulseApi {
    decltype(&::pa_mainloop_new) pa_mainloop_new;
    decltype(&::pa_mainloop_free) pa_mainloop_free;
    decltype(&::pa_mainloop_get_api) pa_mainloop_get_api;
    decltype(&::pa_mainloop_prepare) pa_mainloop_prepare;
    decltype(&::pa_mainloop_poll) pa_mainloop_poll;
    decltype(&::pa_mainloop_dispatch) pa_mainloop_dispatch;

    decltype(&::pa_context_new) pa_context_new;
    decltype(&::pa_context_connect) pa_context_connect;
    decltype(&::pa_context_disconnect) pa_context_disconnect;
    decltype(&::pa_context_unref) pa_context_unref;
    decltype(&::pa_context_get_state) pa_context_get_state;
    decltype(&::pa_context_errno) pa_context_errno;
    decltype(&::pa_strerror) pa_strerror;

    decltype(&::pa_context_get_server_info) pa_context_get_server_info;
    decltype(&::pa_context_get_sink_info_by_name) pa_context_get_sink_info_by_name;
    decltype(&::pa_context_set_sink_mute_by_name) pa_context_set_sink_mute_by_name;
    decltype(&::pa_operation_get_state) pa_operation_get_state;
    decltype(&::pa_operation_unref) pa_operation_unref;
};

// Opens libpulse on the first call and resolves every function; later calls return the same answer.
// Null when the library or a function is missing. The library is never closed.
const PulseApi* pulseApi();

} // namespace orvane
