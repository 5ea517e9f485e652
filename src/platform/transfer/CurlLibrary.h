#pragma once
// libcurl, loaded when the first transfer starts instead of with the program. Its own libraries
// (TLS, Kerberos, LDAP, SSH and more: some thirty) would otherwise be loaded and bound at every
// start of the program, a sizeable share of the start-up of a short unattended call, while only
// backups sent to a server and downloads use them.
#include "platform/transfer/SharedLibrary.h"

#include <curl/curl.h>

namespace vel {

struct CurlLibrary {
    decltype(&::curl_global_init) globalInit = nullptr;
    decltype(&::curl_easy_init) init = nullptr;
    decltype(&::curl_easy_setopt) setopt = nullptr;
    decltype(&::curl_easy_perform) perform = nullptr;
    decltype(&::curl_easy_getinfo) getinfo = nullptr;
    decltype(&::curl_easy_strerror) strerror = nullptr;
    decltype(&::curl_easy_cleanup) cleanup = nullptr;

    // The library, loaded and set up on the first call; null when it cannot be loaded, with
    // the reason in problem (when given).
    static const CurlLibrary* get(QString* problem = nullptr) {
        return loadLibrary<CurlLibrary>(problem);
    }

    static constexpr const char* fileName = "libcurl.so.4";
    static QString what() { return QStringLiteral("the transfer library"); }
    static QString resolve(SharedLibrary& library, CurlLibrary& curl);
};

}  // namespace vel
