// The libcurl functions of the internet layer, bound at run time: start-up does not load libcurl and
// the dozen libraries it pulls in.
#pragma once

#include <curl/curl.h>

namespace orvane {

// One pointer per function the layer calls, typed after the header's declaration.
struct CurlApi {
    decltype(&::curl_global_init) curl_global_init;
    decltype(&::curl_multi_init) curl_multi_init;
    decltype(&::curl_multi_cleanup) curl_multi_cleanup;
    decltype(&::curl_multi_add_handle) curl_multi_add_handle;
    decltype(&::curl_multi_remove_handle) curl_multi_remove_handle;
    decltype(&::curl_multi_setopt) curl_multi_setopt;
    decltype(&::curl_multi_socket_action) curl_multi_socket_action;
    decltype(&::curl_multi_info_read) curl_multi_info_read;
    decltype(&::curl_easy_init) curl_easy_init;
    decltype(&::curl_easy_cleanup) curl_easy_cleanup;
    decltype(&::curl_easy_setopt) curl_easy_setopt;
    decltype(&::curl_easy_getinfo) curl_easy_getinfo;
    decltype(&::curl_easy_strerror) curl_easy_strerror;
    decltype(&::curl_slist_append) curl_slist_append;
    decltype(&::curl_slist_free_all) curl_slist_free_all;
};

// Opens libcurl and initialises it on the first call (GUI thread); null when it is missing, and every
// request then fails as if the network were down. The library stays loaded.
const CurlApi* curlApi();

} // namespace orvane
