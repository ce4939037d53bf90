#pragma once

#include <string>

#include <curl/curl.h>

namespace foundation {

// libcurl, opened on first use. It brings two dozen libraries with it (TLS, Kerberos, LDAP, SSH)
// that take longer to load than the rest of the program together, while the app opens no
// connection at start: linked, they would hold up the first frame for nothing. Calls go through
// these pointers; the library's global set-up has run once get() answers it.
struct CurlLibrary {
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_perform) easy_perform = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;
    decltype(&curl_url) url = nullptr;
    decltype(&curl_url_cleanup) url_cleanup = nullptr;
    decltype(&curl_url_set) url_set = nullptr;
    decltype(&curl_url_get) url_get = nullptr;
    decltype(&curl_free) free = nullptr;

    // The library, or none when it can't be opened; loadError() then says why.
    static const CurlLibrary* get();
    static std::string loadError();
};

}  // namespace foundation
